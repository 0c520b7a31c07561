// The window's controls held in memory, made with the layout table's captions and values, for
// driving the window's logic without a window.
#pragma once

#include <array>
#include <string>

#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/start_texts.h"

namespace tarnwick {

// Starts with the values the real window is created with.
class ControlValues : public Controls {
  public:
    ControlValues() {
        for (const ControlLayout& control : kLayout) {
            texts_[Index(control.id)] = control.caption;
            values_[Index(control.id)] = control.initialValue;
        }
    }

    // What the window does with start-up's texts as it makes its controls.
    void Apply(const StartTexts& start) {
        for (const ControlLayout& control : kLayout) {
            if (const auto& text = start.Find(control.id)) {
                texts_[Index(control.id)] = *text;
            }
        }
    }

    std::u16string Text(ControlId id) const override { return texts_[Index(id)]; }
    void SetText(ControlId id, std::u16string_view text) override { texts_[Index(id)] = text; }
    int Value(ControlId id) const override { return values_[Index(id)]; }
    void SetValue(ControlId id, int value) override { values_[Index(id)] = value; }

  private:
    static std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

    std::array<std::u16string, kControlCount> texts_{};
    std::array<int, kControlCount> values_{};
};

}  // namespace tarnwick

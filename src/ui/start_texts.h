// What start-up puts in the window before it is first shown: each control is made once, with
// the text it first shows. Controls without one keep the caption of the layout table.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "ui/control_id.h"

namespace tarnwick {

class StartTexts {
  public:
    void Set(ControlId id, std::u16string text) { texts_[Index(id)] = std::move(text); }
    const std::optional<std::u16string>& Find(ControlId id) const { return texts_[Index(id)]; }

  private:
    static std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

    std::array<std::optional<std::u16string>, kControlCount> texts_;
};

}  // namespace tarnwick

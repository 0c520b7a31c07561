// The window as the logic sees it: texts and check values of named controls.
#pragma once

#include <string>
#include <string_view>

#include "ui/control_id.h"

namespace tarnwick {

inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;

// The window owns all state; the logic reads and writes it only through this interface, so the
// same code drives the real controls and an in-memory stand-in.
class Controls {
  public:
    virtual ~Controls() = default;

    // For SBar1 the text is that of its one panel.
    virtual std::u16string Text(ControlId id) const = 0;
    virtual void SetText(ControlId id, std::u16string_view text) = 0;

    // Check boxes: 0 unchecked, 1 checked.
    virtual int Value(ControlId id) const = 0;
    virtual void SetValue(ControlId id, int value) = 0;
};

}  // namespace tarnwick

// What the move button does: checks every selected folder's move first, empties or removes the
// old temporary folders that may safely go, and moves each accepted folder all-or-nothing.
#pragma once

#include "core/controls.h"
#include "core/run_services.h"

namespace tarnwick {

inline constexpr std::u16string_view kWriteFailedTitle = u"转移失败";
inline constexpr std::u16string_view kCopyIncompleteTitle = u"复制没有完成";

// Raises ProcessStartError when the command interpreter cannot be started.
void RedirectRun(Controls& controls, const RedirectServices& services);

}  // namespace tarnwick

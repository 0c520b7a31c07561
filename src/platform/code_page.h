// The system's ANSI code page: where 16-bit text meets the "A" functions of Windows.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Both directions take and give explicit lengths: embedded NULs are carried through.
class CodePage {
  public:
    virtual ~CodePage() = default;
    virtual std::string ToAnsi(std::u16string_view text) const = 0;
    virtual std::u16string FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace tarnwick

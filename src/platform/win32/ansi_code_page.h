// The system's ANSI code page (CP_ACP) through MultiByteToWideChar and WideCharToMultiByte.
#pragma once

#include "platform/code_page.h"

namespace tarnwick::win32 {

class AnsiCodePage : public CodePage {
  public:
    std::string ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;
};

}  // namespace tarnwick::win32

// Code page 936 (GBK) off Windows, through iconv: a Chinese character takes two bytes, as on the
// program's home system.
#pragma once

#include "platform/code_page.h"

namespace tarnwick::fake {

class IconvCodePage : public CodePage {
  public:
    std::string ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;
};

}  // namespace tarnwick::fake

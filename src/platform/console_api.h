// Where the command line's text goes: the console it was started from, or its redirected output.
#pragma once

#include <string_view>

namespace tarnwick {

class ConsoleApi {
  public:
    virtual ~ConsoleApi() = default;
    // Lines end in "\n".
    virtual void Write(std::u16string_view text) = 0;
};

}  // namespace tarnwick

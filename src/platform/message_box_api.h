// Modal message boxes, owned by the main window.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

inline constexpr std::uint32_t kMbIconStop = 0x10;         // 16
inline constexpr std::uint32_t kMbIconInformation = 0x40;  // 64

class MessageBoxApi {
  public:
    virtual ~MessageBoxApi() = default;
    virtual int Show(std::u16string_view text, std::u16string_view title, std::uint32_t style) = 0;
};

}  // namespace tarnwick

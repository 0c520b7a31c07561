// Modal message boxes, owned by the main window.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

inline constexpr std::uint32_t kMbIconStop = 0x10;         // 16
inline constexpr std::uint32_t kMbIconQuestion = 0x20;     // 32
inline constexpr std::uint32_t kMbIconWarning = 0x30;      // 48
inline constexpr std::uint32_t kMbIconInformation = 0x40;  // 64
inline constexpr std::uint32_t kMbYesNo = 0x04;
inline constexpr std::uint32_t kMbDefaultButton2 = 0x100;

inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class MessageBoxApi {
  public:
    virtual ~MessageBoxApi() = default;
    // The button the user pressed (IDOK, IDYES, IDNO ...).
    virtual int Show(std::u16string_view text, std::u16string_view title, std::uint32_t style) = 0;
};

}  // namespace tarnwick

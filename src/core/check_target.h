// Whether a destination may take a folder: not the folder itself, a complete path, and created.
#pragma once

#include <string_view>

#include "platform/code_page.h"
#include "platform/directory_api.h"
#include "platform/message_box_api.h"

namespace tarnwick {

inline constexpr std::u16string_view kSamePathText = u"源路径和目标路径相同,不需要转移!";
inline constexpr std::u16string_view kSamePathTitle = u"不需要转移";
inline constexpr std::u16string_view kInvalidPathText = u"输入的路径名不合法,请重新输入!";
inline constexpr std::u16string_view kInvalidPathTitle = u"路径不合法";

struct CheckTargetServices {
    MessageBoxApi& messages;
    DirectoryApi& directories;
    const CodePage& codePage;
};

// Creates the destination with every missing level. Each refusal is told in a message box;
// the caller learns only yes or no.
bool CheckTarget(std::u16string_view currentLocation, std::u16string_view destination,
                 const CheckTargetServices& services);

}  // namespace tarnwick

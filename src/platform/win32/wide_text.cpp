#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

std::wstring WideJoined(std::initializer_list<std::wstring_view> parts) {
    std::size_t size = 0;
    for (const std::wstring_view part : parts) {
        size += part.size();
    }
    std::wstring joined;
    joined.reserve(size);
    for (const std::wstring_view part : parts) {
        joined += part;
    }
    return joined;
}

}  // namespace tarnwick::win32

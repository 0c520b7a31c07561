#include "ui/win32/logo.h"

#include <windows.h>

#include <optional>
#include <span>

#include "ui/jpeg.h"

namespace tarnwick::win32 {

UniqueBitmap LoadPictureResource(HMODULE module, const wchar_t* name) {
    const HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (resource == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) {
        return {};
    }
    const std::optional<RgbImage> image =
        DecodeJpeg(std::span(static_cast<const std::uint8_t*>(bytes), size));
    if (!image) {
        return {};
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = image->width;
    format.bmiHeader.biHeight = -image->height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return {};
    }
    auto* pixel = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0; i < image->rgb.size(); i += 3, pixel += 4) {
        pixel[0] = image->rgb[i + 2];
        pixel[1] = image->rgb[i + 1];
        pixel[2] = image->rgb[i];
        pixel[3] = 0;
    }
    return bitmap;
}

}  // namespace tarnwick::win32

#include "ui/win32/fonts.h"

#include <cmath>
#include <initializer_list>
#include <string>

#include "platform/win32/wide_text.h"
#include "ui/layout.h"

namespace tarnwick::win32 {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face, BYTE charset) {
    LOGFONTW query{};
    query.lfCharSet = charset;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const ScopedWindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The first of faces that is installed; the system's message font when none is.
std::wstring PickFace(std::initializer_list<const wchar_t*> faces, BYTE charset) {
    for (const wchar_t* face : faces) {
        if (FaceInstalled(face, charset)) {
            return face;
        }
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

UniqueFont Create(const std::wstring& face, double points, int weight, BYTE charset, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = weight;
    font.lfCharSet = charset;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

UniqueFont CreateDefaultFont(int dpi) {
    // A 9-point face in which a Chinese character is a square of 12 pixels at 96 DPI.
    const std::wstring face = PickFace(
        {L"宋体", L"SimSun", L"新宋体", L"NSimSun", L"WenQuanYi Micro Hei", L"Microsoft YaHei"},
        GB2312_CHARSET);
    return Create(face, 9, FW_NORMAL, DEFAULT_CHARSET, dpi);
}

UniqueFont CreateTitleFont(int dpi) {
    const BYTE charset = static_cast<BYTE>(kTitleFont.charset);
    const std::wstring face =
        PickFace({Wide(kTitleFont.face).c_str(), L"YouYuan", Wide(kTitleFont.fallbackFace).c_str()},
                 charset);
    return Create(face, kTitleFont.points, kTitleFont.weight, charset, dpi);
}

SIZE TextSize(HFONT font, std::wstring_view text) {
    // A memory DC of the screen measures as the window's own would, without asking for a window.
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SIZE extent{};
    TEXTMETRICW metrics{};
    if (dc) {
        const ScopedSelect selected(dc.get(), font);
        GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
        GetTextMetricsW(dc.get(), &metrics);
    }
    return {extent.cx, metrics.tmHeight};
}

}  // namespace tarnwick::win32

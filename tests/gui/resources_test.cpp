// The resources inside the built Tarnwick.exe: the manifest, the icon and the logo.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tarnwick_process.h"

namespace tarnwick::testing {
namespace {

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(TarnwickPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open " << Utf8(TarnwickPath());
    }
    void TearDown() override {
        if (module_) {
            FreeLibrary(module_);
        }
    }
    std::string Bytes(const wchar_t* name, const wchar_t* type) const {
        const HRSRC found = FindResourceW(module_, name, type);
        if (!found) {
            return {};
        }
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(data, SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

TEST_F(Resources, TheManifestAsksForCommonControlsSixDpiAwarenessAndNoElevation) {
    const std::string manifest = Bytes(MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
}

// Without these Windows 8.1 and later run the program with their behaviour for old programs.
TEST_F(Resources, TheManifestNamesWindowsSevenToElevenAsSupported) {
    const std::string manifest = Bytes(MAKEINTRESOURCEW(1), RT_MANIFEST);
    for (const char* version : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // 8
                                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // 8.1
                                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + version + "\"/>"),
                  std::string::npos)
            << version;
    }
}

TEST_F(Resources, TheIconHoldsNineImagesAndTheLogoIsA256ColourBitmap) {
    const std::string group = Bytes(L"APPICON", RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(group[4]), 9) << "images in the icon";
    const std::string logo = Bytes(L"LOGO", RT_BITMAP);
    ASSERT_GE(logo.size(), sizeof(BITMAPINFOHEADER)) << "no bitmap named LOGO";
    BITMAPINFOHEADER header;
    logo.copy(reinterpret_cast<char*>(&header), sizeof header);
    EXPECT_EQ(header.biWidth, 120);
    EXPECT_EQ(header.biHeight, 75);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
}

}  // namespace
}  // namespace tarnwick::testing

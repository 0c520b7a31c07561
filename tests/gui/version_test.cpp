// ModFileVersion over the real version.dll: the built program's version resource, a Chinese path
// in the ANSI code page, and files that have no version to give.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mod_file_version.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_version.h"
#include "tarnwick_process.h"

namespace tarnwick::testing {
namespace {

std::string Read(const std::wstring& path) {
    win32::Win32Version versions;
    const win32::AnsiCodePage codePage;
    ModFileVersion modFileVersion(versions, codePage);
    const std::u16string version =
        modFileVersion.GetFileVersionString(std::u16string(path.begin(), path.end()));
    return Utf8(std::wstring(version.begin(), version.end()));
}

// A fresh folder under GetTempPathW, removed with what was put in it.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const std::wstring& file : files_) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a file in the folder, deleted with it.
    std::wstring File(const std::wstring& name) {
        files_.push_back(path_ + L"\\" + name);
        return files_.back();
    }

  private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

TEST(FileVersion, TheBuiltProgramGivesItsResourceVersion) {
    EXPECT_EQ(Read(TarnwickPath()), "2.0.0.3");
}

TEST(FileVersion, ACopyUnderAChinesePathGivesTheSame) {
    TempFolder folder(L"版本测试");
    const std::wstring copy = folder.File(L"中文.exe");
    ASSERT_TRUE(CopyFileW(TarnwickPath().c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(Read(copy), "2.0.0.3");
}

TEST(FileVersion, TextFileAndMissingPathGiveNA) {
    TempFolder folder(L"tarnwick-version-");
    const std::wstring text = folder.File(L"notes.txt");
    const std::string content = "no version resource here\r\n";
    {
        const HANDLE file = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, content.size());
    }
    EXPECT_EQ(Read(text), "N/A");
    EXPECT_EQ(Read(folder.File(L"missing.exe")), "N/A");
}

}  // namespace
}  // namespace tarnwick::testing

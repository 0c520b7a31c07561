// ModFileVersion over answers held in memory: the four parts of the file version, and "N/A" for
// everything that cannot be read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/version_answers.h"
#include "platform/mod_file_version.h"
#include "support/host_code_page.h"

namespace tarnwick::testing {
namespace {

using fake::FileVersion;
using fake::Root;
using fake::VersionFile;

class FileVersionString : public ::testing::Test {
  protected:
    std::string Read(const std::string& ansiPath) {
        const std::u16string path(ansiPath.begin(), ansiPath.end());
        const std::u16string version = modFileVersion_.GetFileVersionString(path);
        return std::string(version.begin(), version.end());
    }

    fake::VersionAnswers versions_;
    ModFileVersion modFileVersion_{versions_, HostCodePage()};
};

TEST_F(FileVersionString, TheRecordTheRootQueryPointsAtGivesFourUnsignedParts) {
    const std::vector<std::pair<VersionFile, std::string>> cases = {
        {{.version = {1, 2, 3, 4}, .rootOffset = 100}, "1.2.3.4"},
        {{.version = {10, 0, 2600, 0}, .rootOffset = 37}, "10.0.2600.0"},
        {{.version = {5, 6, 7, 8}, .size = 300, .rootOffset = 300 - 52}, "5.6.7.8"},  // flush
        {{.version = {1, 65535, 0, 32768}}, "1.65535.0.32768"},
        {{.version = {65535, 65535, 65535, 65535}}, "65535.65535.65535.65535"},
        {{.version = {0, 0, 0, 0}}, "0.0.0.0"},
    };
    for (const auto& [file, expected] : cases) {
        versions_.Put("C:\\app.exe", file);
        EXPECT_EQ(Read("C:\\app.exe"), expected);
    }
}

TEST_F(FileVersionString, WhatCannotBeReadGivesNA) {
    const std::vector<std::pair<VersionFile, const char*>> cases = {
        {{.size = 0}, "no version resource"},
        {{.size = 0x80000000u}, "a size negative as a signed number"},
        {{.size = 0xFFFFFF00u}, "a size negative as a signed number"},
        {{.readable = false}, "a block that cannot be read"},
        {{.root = Root::Missing}, "no root block"},
        {{.root = Root::Null}, "a null root"},
        {{.root = Root::Elsewhere}, "a root outside the buffer"},
        {{.size = 300, .rootOffset = 300 - 51}, "a record running past the buffer"},
        {{.size = 300, .rootOffset = 300}, "a record at the buffer's end"},
    };
    for (const auto& [file, what] : cases) {
        versions_.Put("C:\\app.exe", file);
        EXPECT_EQ(Read("C:\\app.exe"), "N/A") << what;
    }
    EXPECT_EQ(Read("C:\\missing.exe"), "N/A");
}

TEST_F(FileVersionString, ReadsWithHandle0AndTheReportedSizeOnlyWhenThereIsOne) {
    versions_.Put("C:\\app.exe", {.version = {1, 2, 3, 4}, .size = 4096});
    versions_.Put("C:\\none.exe", {.size = 0});
    EXPECT_EQ(Read("C:\\app.exe"), "1.2.3.4");
    EXPECT_EQ(Read("C:\\none.exe"), "N/A");
    ASSERT_EQ(versions_.infoCalls.size(), 1u);
    EXPECT_EQ(versions_.infoCalls[0].handle, 0u);
    EXPECT_EQ(versions_.infoCalls[0].size, 4096u);
}

TEST_F(FileVersionString, AChinesePathReachesTheApiInTheAnsiCodePage) {
    const std::string ansiPath = "C:\\\xD6\xD0\\app.exe";  // 中 in code page 936
    versions_.Put(ansiPath, {.version = {2, 0, 0, 3}});
    EXPECT_EQ(modFileVersion_.GetFileVersionString(u"C:\\中\\app.exe"), u"2.0.0.3");
    EXPECT_EQ(versions_.sizeQueries, std::vector<std::string>{ansiPath});
}

}  // namespace
}  // namespace tarnwick::testing

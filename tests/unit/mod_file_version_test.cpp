// ModFileVersion over version blocks held in memory: the four parts of the file version, and
// "N/A" for everything that cannot be read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/memory_versions.h"
#include "platform/mod_file_version.h"
#include "support/host_code_page.h"

namespace tarnwick::testing {
namespace {

using fake::FileVersion;
using fake::MemoryVersions;

constexpr std::size_t kBlockSize = 300;

class FileVersionString : public ::testing::Test {
  protected:
    std::string Read(const std::string& ansiPath) {
        const std::u16string path(ansiPath.begin(), ansiPath.end());
        const std::u16string version = modFileVersion_.GetFileVersionString(path);
        return std::string(version.begin(), version.end());
    }

    MemoryVersions versions_;
    ModFileVersion modFileVersion_{versions_, HostCodePage()};
};

TEST_F(FileVersionString, FormatsTheRecordTheRootQueryPointsAt) {
    // The record lies well inside the block, at an odd offset, and flush with the block's end.
    versions_.PutFile("C:\\a.exe", MemoryVersions::VersionBlock({1, 2, 3, 4}, 100, kBlockSize));
    versions_.PutFile("C:\\b.exe", MemoryVersions::VersionBlock({10, 0, 2600, 0}, 37, kBlockSize));
    versions_.PutFile("C:\\c.exe",
                      MemoryVersions::VersionBlock({5, 6, 7, 8}, kBlockSize - 52, kBlockSize));
    EXPECT_EQ(Read("C:\\a.exe"), "1.2.3.4");
    EXPECT_EQ(Read("C:\\b.exe"), "10.0.2600.0");
    EXPECT_EQ(Read("C:\\c.exe"), "5.6.7.8");
    EXPECT_EQ(versions_.ValueQueries(), std::vector<std::string>(3, "\\"));
}

TEST_F(FileVersionString, PartsAreUnsigned16BitNumbersWithoutPadding) {
    const std::vector<std::pair<FileVersion, std::string>> cases = {
        {{1, 65535, 0, 32768}, "1.65535.0.32768"},
        {{32768, 32767, 65535, 1}, "32768.32767.65535.1"},
        {{65535, 65535, 65535, 65535}, "65535.65535.65535.65535"},
        {{0, 0, 0, 0}, "0.0.0.0"},
        {{100, 9, 10, 1000}, "100.9.10.1000"},
    };
    for (const auto& [version, expected] : cases) {
        versions_.PutFile("C:\\app.exe", MemoryVersions::VersionBlock(version, 64, kBlockSize));
        EXPECT_EQ(Read("C:\\app.exe"), expected);
    }
}

TEST_F(FileVersionString, UnreadableVersionsGiveNA) {
    versions_.PutFileWithoutVersion("C:\\plain.txt");
    versions_.PutUnreadableFile("C:\\locked.exe",
                                MemoryVersions::VersionBlock({1, 2, 3, 4}, 64, kBlockSize));
    versions_.PutFile("C:\\no-root.exe", MemoryVersions::BlockWithoutRoot(kBlockSize));
    versions_.PutFile("C:\\null-root.exe", MemoryVersions::BlockWithNullRoot(kBlockSize));
    for (const std::string path : {"C:\\missing.exe", "C:\\plain.txt", "C:\\locked.exe",
                                   "C:\\no-root.exe", "C:\\null-root.exe"}) {
        EXPECT_EQ(Read(path), "N/A") << path;
    }
    // Only the files that report a size are read.
    ASSERT_EQ(versions_.InfoCalls().size(), 3u);
    EXPECT_EQ(versions_.InfoCalls()[0].path, "C:\\locked.exe");
}

TEST_F(FileVersionString, SizesNegativeAsSigned32BitGiveNAWithoutReading) {
    versions_.PutFile("C:\\app.exe", MemoryVersions::VersionBlock({1, 2, 3, 4}, 64, kBlockSize));
    for (const std::uint32_t size : {0x80000000u, 0xFFFFFFFFu, 0xFFFFFF00u}) {
        versions_.ReportSize("C:\\app.exe", size);
        EXPECT_EQ(Read("C:\\app.exe"), "N/A") << size;
    }
    EXPECT_TRUE(versions_.InfoCalls().empty());
}

TEST_F(FileVersionString, RecordNotWhollyInsideTheBufferIsNeverRead) {
    for (const std::size_t rootOffset :
         {kBlockSize - 51, kBlockSize - 40, kBlockSize - 1, kBlockSize}) {
        versions_.PutFile("C:\\app.exe",
                          MemoryVersions::VersionBlock({1, 2, 3, 4}, rootOffset, kBlockSize));
        EXPECT_EQ(Read("C:\\app.exe"), "N/A") << rootOffset;
    }
    // A complete, readable record, but in memory other than the buffer the program filled.
    versions_.PutFile("C:\\app.exe",
                      MemoryVersions::BlockWithForeignRoot({1, 2, 3, 4}, kBlockSize));
    EXPECT_EQ(Read("C:\\app.exe"), "N/A");
}

TEST_F(FileVersionString, ReadsWithHandle0AndTheReportedSize) {
    // A reported size beyond the block's: the fake fills what it has.
    versions_.PutFile("C:\\app.exe", MemoryVersions::VersionBlock({1, 2, 3, 4}, 64, kBlockSize));
    versions_.ReportSize("C:\\app.exe", 4096);
    EXPECT_EQ(Read("C:\\app.exe"), "1.2.3.4");
    ASSERT_EQ(versions_.InfoCalls().size(), 1u);
    EXPECT_EQ(versions_.InfoCalls()[0].handle, 0u);
    EXPECT_EQ(versions_.InfoCalls()[0].size, 4096u);
}

TEST_F(FileVersionString, ChinesePathReachesTheApiInTheAnsiCodePage) {
    const std::string ansiPath = "C:\\\xD6\xD0\\app.exe";  // 中 in code page 936
    versions_.PutFile(ansiPath, MemoryVersions::VersionBlock({2, 0, 0, 3}, 64, kBlockSize));
    EXPECT_EQ(modFileVersion_.GetFileVersionString(u"C:\\中\\app.exe"), u"2.0.0.3");
    EXPECT_EQ(versions_.SizeQueries(), std::vector<std::string>{ansiPath});
    ASSERT_EQ(versions_.InfoCalls().size(), 1u);
    EXPECT_EQ(versions_.InfoCalls()[0].path, ansiPath);
}

}  // namespace
}  // namespace tarnwick::testing

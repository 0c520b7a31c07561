// The destination check: its two refusals, and creating every missing level.
#include <gtest/gtest.h>

#include <fstream>

#include "core/check_target.h"
#include "core/text.h"
#include "platform/fake/recorders.h"
#include "platform/fake/scratch_directories.h"
#include "support/host_code_page.h"
#include "support/scratch_dir.h"

namespace tarnwick::testing {
namespace {

using fake::ShownMessage;

const ShownMessage kSame{u"源路径和目标路径相同,不需要转移!", u"不需要转移", 64};
const ShownMessage kInvalid{u"输入的路径名不合法,请重新输入!", u"路径不合法", 16};

class CheckTargetTest : public ::testing::Test {
  protected:
    bool Check(std::u16string_view current, std::u16string_view destination) {
        return CheckTarget(current, destination, {messages_, directories_, HostCodePage()});
    }
    bool Exists(const std::string& ansiPath) const {
        return std::filesystem::is_directory(directories_.HostPath(ansiPath));
    }

    ScratchDir scratch_;
    fake::MessageRecorder messages_;
    fake::ScratchDirectories directories_{scratch_.path()};
};

TEST_F(CheckTargetTest, CreatesEveryMissingLevelWithOneSeparatorAppended) {
    EXPECT_TRUE(Check(u"C:\\USERS\\AMY\\DOCUMENTS", u"D:\\a\\b\\My Documents"));
    EXPECT_TRUE(Exists("D:\\a\\b\\My Documents"));
    EXPECT_EQ(directories_.calls, std::vector<std::string>{"D:\\a\\b\\My Documents\\"});
    EXPECT_TRUE(messages_.shown.empty());

    EXPECT_TRUE(Check(u"C:\\USERS\\AMY\\DOCUMENTS", u"D:\\x\\"));
    EXPECT_EQ(directories_.calls.back(), "D:\\x\\") << "a trailing separator is used unchanged";
}

TEST_F(CheckTargetTest, ChineseDestinationsReachTheCreationCallInCodePage936) {
    EXPECT_TRUE(Check(u"C:\\X", u"E:\\我的文档"));
    EXPECT_EQ(directories_.calls.back(), "E:\\\xCE\xD2\xB5\xC4\xCE\xC4\xB5\xB5\\");
    EXPECT_TRUE(Exists("E:\\\xCE\xD2\xB5\xC4\xCE\xC4\xB5\xB5"));
}

TEST_F(CheckTargetTest, TheSameFolderInAnySpellingIsRefusedAsEqual) {
    const std::vector<std::pair<std::u16string, std::u16string>> same = {
        {u"D:\\MY DOCUMENTS", u"d:\\my documents"},
        {u"D:\\My Documents", u"d:\\my documents"},  // a label that a run set as typed
        {u"D:\\MY DOCUMENTS", u"D:\\My Documents\\"},
        {std::u16string(u"C:\\TEMP\0\0\0", 10), u"c:\\temp"},  // TEMP as an earlier run wrote it
        {u"D:\\", u"d:\\"},
    };
    for (const auto& [current, destination] : same) {
        messages_.shown.clear();
        EXPECT_FALSE(Check(current, destination));
        EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kSame});
    }
    EXPECT_TRUE(directories_.calls.empty()) << "nothing is created for a refused destination";
}

TEST_F(CheckTargetTest, IncompletePathsAreRefusedAsInvalidWithoutCreatingAnything) {
    for (const std::u16string_view destination :
         {u"", u" ", u"   ", u"My Documents", u"D:", u"D:Temp", u"\\Temp", u"D:\\a?b"}) {
        messages_.shown.clear();
        EXPECT_FALSE(Check(u"", destination)) << ToUtf8(destination);
        EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kInvalid});
    }
    EXPECT_TRUE(directories_.calls.empty());
}

TEST_F(CheckTargetTest, ADestinationThatCannotBeCreatedIsRefusedAsInvalid) {
    EXPECT_FALSE(Check(u"C:\\X", u"Q:\\Temp\\Temp"));  // no drive Q:
    EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kInvalid});
}

TEST_F(CheckTargetTest, NothingIsDeletedWhenCreationFailsHalfWay) {
    std::filesystem::create_directories(directories_.HostPath("D:\\a"));
    // A file where a level should be makes the rest impossible.
    std::ofstream(directories_.HostPath("D:\\a\\file")) << "x";
    EXPECT_FALSE(Check(u"C:\\X", u"D:\\a\\file\\b\\c"));
    EXPECT_TRUE(Exists("D:\\a"));
    EXPECT_TRUE(std::filesystem::is_regular_file(directories_.HostPath("D:\\a\\file")));
}

class ThrowingDirectories : public DirectoryApi {
  public:
    int MakeSureDirectoryPathExists(const std::string&) override {
        throw std::runtime_error("imagehlp is missing");
    }
};

TEST_F(CheckTargetTest, AFailingCreationCallIsARefusalNotAnError) {
    ThrowingDirectories throwing;
    EXPECT_FALSE(CheckTarget(u"C:\\X", u"D:\\Y", {messages_, throwing, HostCodePage()}));
    EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kInvalid});
}

}  // namespace
}  // namespace tarnwick::testing

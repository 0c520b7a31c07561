// The command line: its words as Windows splits them, what makes no sense (exit code 2), and the
// commands run over the in-memory platform with their exit codes.
#include <gtest/gtest.h>

#include <functional>

#include "core/journal.h"
#include "support/run_fixture.h"
#include "support/utf8.h"
#include "ui/command_line.h"

namespace tarnwick::testing {
namespace {

TEST(CommandLineWords, SplitAsTheCRuntimeSplitsThem) {
    const std::vector<std::pair<std::u16string, std::vector<std::u16string>>> cases = {
        {uR"(Tarnwick.exe /move documents="D:\My Docs")",
         {u"Tarnwick.exe", u"/move", uR"(documents=D:\My Docs)"}},
        {uR"(a\\"b c" "x\"y" C:\dir\ z "")", {uR"(a\b c)", uR"(x"y)", uR"(C:\dir\)", u"z", u""}},
        {u"  \t ", {}},
    };
    for (const auto& [line, words] : cases) {
        EXPECT_EQ(SplitCommandLine(line), words) << ToUtf8(line);
    }
}

TEST(CommandLineArguments, WhatMakesNoSenseIsToldWithItsReason) {
    const std::vector<std::pair<std::vector<std::u16string>, std::u16string>> cases = {
        {{}, u"缺少命令"},
        {{u"/move"}, u"至少要有一个"},
        {{u"/move", uR"(foo=C:\x)"}, u"不认识的文件夹名称: foo"},
        {{u"/move", u"documents"}, u"缺少 \"=\""},
        {{u"/move", uR"(documents=C:\a)", uR"(Documents=C:\b)"}, u"不止一次"},
        {{u"/move", u"documents="}, u"缺少路径"},
        {{u"/bogus"}, u"不认识的选项"},
        {{u"/list", u"/move"}, u"只能有一个命令"},
        {{u"/list", u"/copy"}, u"只能和 /move 一起用"},
        {{u"/undo", u"a.reg", u"b.reg"}, u"只能给一个文件"},
        {{uR"(documents=C:\x)"}, u"要跟在 /move 后面"},
    };
    for (const auto& [arguments, reason] : cases) {
        const auto parsed = ParseCommandLine(arguments);
        ASSERT_TRUE(std::holds_alternative<std::u16string>(parsed)) << ToUtf8(reason);
        EXPECT_NE(std::get<std::u16string>(parsed).find(reason), std::u16string::npos)
            << ToUtf8(std::get<std::u16string>(parsed));
    }
    const auto parsed = ParseCommandLine(
        {u"/MOVE", uR"(Documents=E:\D)", uR"(temp=D:\T)", u"/copy", u"-dryrun", u"/yes"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed));
    const CommandLine& command = std::get<CommandLine>(parsed);
    EXPECT_EQ(command.action, CommandLine::Action::Move);
    ASSERT_EQ(command.moves.size(), 2u);
    EXPECT_EQ(command.moves[0].first->commandName, u"temp") << "not in table order";
    EXPECT_EQ(command.moves[1].second, uR"(E:\D)");
    EXPECT_TRUE(command.copy && command.dryRun && command.yes && !command.deleteTemporary);
    // Named backwards, each with its own path, they still come in table order.
    const auto backwards =
        ParseCommandLine({u"/move", uR"(documents=E:\D)", uR"(cache=F:\C)", uR"(temp=D:\T)"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(backwards));
    std::vector<std::u16string> named;
    for (const auto& [folder, destination] : std::get<CommandLine>(backwards).moves) {
        named.push_back(std::u16string(folder->commandName) + u"=" + destination);
    }
    EXPECT_EQ(named, (std::vector<std::u16string>{uR"(temp=D:\T)", uR"(cache=F:\C)",
                                                  uR"(documents=E:\D)"}));

    // The word after /undo is its file, whatever it starts with.
    for (const std::u16string file : {u"-journal.reg", u"/x.reg", u"a.reg"}) {
        const auto undo = ParseCommandLine({u"-undo", file});
        ASSERT_TRUE(std::holds_alternative<CommandLine>(undo)) << ToUtf8(file);
        EXPECT_EQ(std::get<CommandLine>(undo).undoFile, file);
    }
}

class CommandLineRun : public RunTest {
  protected:
    int Run(std::vector<std::u16string> arguments) {
        const auto parsed = ParseCommandLine(arguments);
        EXPECT_TRUE(std::holds_alternative<CommandLine>(parsed));
        const CommandLine& command = std::get<CommandLine>(parsed);
        console_.text.clear();
        return RunCommandLine(command, services_, console_);
    }
    bool Printed(std::u16string_view part) const {
        return console_.text.find(part) != std::u16string::npos;
    }

    fake::ConsoleRecorder console_;
};

TEST_F(CommandLineRun, ADryRunPrintsThePlanAndChangesNothing) {
    EXPECT_EQ(Run({u"/move", uR"(documents=E:\Docs)", u"/copy", u"/deltemp", u"/dryrun"}), 0);
    EXPECT_TRUE(Printed(uR"(我的文档: C:\Users\amy\Documents -> E:\Docs)"));
    EXPECT_TRUE(Printed(uR"(Cookie: 清空 C:\Users\amy\AppData\Roaming\Cookies)"));
    // A refusal is a line of the plan, not a message.
    EXPECT_EQ(Run({u"/move", uR"(favorites=C:\CON)", u"/dryrun"}), 1);
    EXPECT_EQ(
        ToUtf8(console_.text),
        ToUtf8(u"IE收藏夹: 不转移到 C:\\CON\n    路径中的 \"CON\" 是 Windows 保留的设备名\n"));
    EXPECT_TRUE(WrittenValues().empty());
    EXPECT_TRUE(files_.created.empty());
    EXPECT_TRUE(processes_.started.empty());
    EXPECT_TRUE(journal_.saved.empty());
}

TEST_F(CommandLineRun, AMoveIsJournalledAndUndoPutsEveryValueBack) {
    // Characters the ANSI code page lacks come back too.
    registry_.PutStoredValue(kHkeyCurrentUser, kUserShell, "Personal", kRegExpandSz,
                             Utf16Le(std::u16string(u"%USERPROFILE%\\문서 😀") + u'\0'));
    const auto user = registry_.FindStoredValue(kHkeyCurrentUser, kUserShell, "Personal");
    const auto resolved = Stored(kShell, "Personal");
    EXPECT_EQ(Run({u"/move", uR"(documents=E:\Docs)"}), 0);
    EXPECT_TRUE(Printed(u"已转移 1 个文件夹"));
    EXPECT_TRUE(Printed(uR"(C:\journals\1.reg)"));
    EXPECT_NE(Stored(kShell, "Personal"), resolved);

    EXPECT_EQ(Run({u"/undo"}), 0);
    EXPECT_EQ(registry_.FindStoredValue(kHkeyCurrentUser, kUserShell, "Personal"), user);
    EXPECT_EQ(Stored(kShell, "Personal"), resolved);
    ASSERT_EQ(journal_.saved.size(), 2u) << "the undo was not journalled";
    // Undoing the undo moves the folder again.
    EXPECT_EQ(Run({u"/undo", uR"(C:\journals\2.reg)"}), 0);
    EXPECT_EQ(Stored(kShell, "Personal")->data[0], 'E');
}

TEST_F(CommandLineRun, AnUndoMakesARemovedTemporaryFolderAgainSoThatTempIsAFolder) {
    SetLocation(ControlId::ChkTemp, uR"(C:\Users\amy\Temp)", false);  // removed by the run
    files_.AddFolder(uR"(C:\Users\amy)");
    EXPECT_EQ(Run({u"/move", uR"(temp=D:\T)"}), 0);
    files_.created.clear();
    EXPECT_EQ(Run({u"/undo"}), 0);
    EXPECT_EQ(files_.created, std::vector<std::u16string>{uR"(C:\Users\amy\Temp)"});
    EXPECT_TRUE(Printed(uR"(已新建 TEMP 的文件夹 C:\Users\amy\Temp)"));

    SetLocation(ControlId::ChkTemp, uR"(E:\Gone)", false);
    files_.FailToCreate(uR"(E:\Gone)");
    EXPECT_EQ(Run({u"/move", uR"(temp=D:\T2)"}), 0);
    EXPECT_EQ(Run({u"/undo"}), 1) << "a location that is not a folder again is not all done";
    EXPECT_TRUE(Printed(uR"(无法新建 TEMP 的文件夹 E:\Gone)"));

    // A location that a link leads where no drive reaches is there all the same.
    SetLocation(ControlId::ChkTemp, uR"(C:\Users\amy\Linked)");
    files_.SetCanonical(uR"(C:\Users\amy\Linked)", uR"(\\?\unix\tmp\amy)");
    EXPECT_EQ(Run({u"/move", uR"(temp=D:\T3)"}), 0);
    files_.created.clear();
    EXPECT_EQ(Run({u"/undo"}), 0);
    EXPECT_TRUE(files_.created.empty());
}

TEST_F(CommandLineRun, UndoingAJournalOfNoValuesSaysSoAndWritesNoJournal) {
    journal_.saved.push_back(JournalFile({}));
    EXPECT_EQ(Run({u"/undo"}), 1);
    EXPECT_TRUE(Printed(uR"(转移记录 C:\journals\1.reg 中没有注册表值, 没有恢复任何值。)"));
    EXPECT_EQ(journal_.saved.size(), 1u);
}

TEST_F(CommandLineRun, AJournalOfOtherValuesIsNotAppliedAtAll) {
    journal_.saved.push_back(
        JournalFile({{u"Environment", u"Tmp", {}}, {u"Software\\Other", u"Run", {}}}));
    registry_.PutValue(kHkeyCurrentUser, kEnvironment, "Tmp", kRegSz, Bytes(std::string("x\0", 2)));
    EXPECT_EQ(Run({u"/undo"}), 1);
    EXPECT_TRUE(Printed(u"不属于 Tarnwick 的值") &&
                Printed(uR"(HKEY_CURRENT_USER\Software\Other\Run)"));
    EXPECT_TRUE(Stored(kEnvironment, "Tmp")) << "the first value was applied";
}

TEST_F(CommandLineRun, RefusalsAndQuestionsArePrintedAndGiveExitCode1) {
    EXPECT_EQ(Run({u"/move", uR"(documents=C:\CON)"}), 1);
    EXPECT_TRUE(Printed(u"[不能转移] 我的文档不能转移到"));
    files_.AddFile(uR"(D:\Photos\a.jpg)");
    EXPECT_EQ(Run({u"/move", uR"(cache=D:\Photos)"}), 1);
    EXPECT_TRUE(Printed(u"[确认转移]") && Printed(u" 否\n"));
    EXPECT_EQ(Run({u"/move", uR"(cache=D:\Photos)", u"/yes"}), 0);
}

TEST_F(CommandLineRun, AnythingOfARunNotDoneGivesExitCode1) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::vector<std::u16string> arguments;
        std::u16string told;
    };
    const std::vector<Case> cases = {
        {"one moved, one refused",
         [] {},
         {u"/move", uR"(documents=E:\Docs)", uR"(favorites=C:\CON)"},
         u"已转移 1 个文件夹, 1 个没有转移"},
        {"a copy not whole",
         [&] { files_.AddFile(uR"(C:\Users\amy\Favorites\a.url)"); },
         {u"/move", uR"(favorites=E:\Fav)", u"/copy"},
         u"[复制没有完成]"},
        {"a level not made",
         [&] { files_.FailToCreate(uR"(E:\Hist)"); },
         {u"/move", uR"(history=E:\Hist)"},
         u"[路径不合法]"},
        {"a temporary folder kept",
         [&] { SetLocation(ControlId::ChkCook, u"C:\\"); },
         {u"/move", uR"(cache=E:\Cache)", u"/deltemp"},
         u"[保留临时文件夹]"},
    };
    for (const Case& c : cases) {
        c.arrange();
        EXPECT_EQ(Run(c.arguments), 1) << c.what;
        EXPECT_TRUE(Printed(c.told)) << c.what << "\n" << ToUtf8(console_.text);
    }
}

TEST_F(CommandLineRun, AnUndoThatCannotDoItAllGivesExitCode1) {
    EXPECT_EQ(Run({u"/undo"}), 1);
    EXPECT_TRUE(Printed(u"没有找到转移记录"));

    EXPECT_EQ(Run({u"/move", uR"(temp=E:\T)"}), 0);
    const std::vector<std::string> written = WrittenValues();
    // Without a journal of its own it changes nothing.
    journal_.failToSave = true;
    EXPECT_EQ(Run({u"/undo"}), 1);
    EXPECT_TRUE(Printed(u"无法写入这次恢复的记录"));
    EXPECT_EQ(WrittenValues(), written);
    journal_.failToSave = false;

    registry_.InjectFailure(
        fake::RegistryOperation::SetValue, kErrorAccessDenied,
        [](const std::string&, const std::string& name) { return name == "Temp"; });
    const int announced = environment_.announcements;
    EXPECT_EQ(Run({u"/undo"}), 1);
    EXPECT_TRUE(Printed(uR"(无法恢复 HKEY_CURRENT_USER\Environment\Temp)"));
    EXPECT_TRUE(Printed(u"恢复 1 个注册表值"));
    EXPECT_EQ(environment_.announcements, announced + 1) << "TEMP's Tmp was put back";
}

TEST_F(CommandLineRun, TheListShowsEachValueRawAndExpandedAndWhetherTheFolderExists) {
    registry_.SetEnvironmentVariable("USERPROFILE", "C:\\Users\\amy");
    registry_.PutValue(kHkeyCurrentUser, kUserShell, "Favorites", kRegExpandSz,
                       Bytes(std::string("%USERPROFILE%\\Favorites\0", 25)));
    SetLocation(ControlId::ChkDoc, u"D:\\Gone", false);
    EXPECT_EQ(Run({u"/list"}), 0);
    EXPECT_TRUE(Printed(u"favorites (IE收藏夹)\n"));
    EXPECT_TRUE(
        Printed(u"User Shell Folders\\Favorites = %USERPROFILE%\\Favorites (REG_EXPAND_SZ)\n"
                u"        展开后: C:\\Users\\amy\\Favorites\n"));
    EXPECT_TRUE(Printed(u"Environment\\Tmp = (不存在)"));
    EXPECT_TRUE(Printed(u"位置: C:\\Users\\amy\\Favorites (存在)"));
    EXPECT_TRUE(Printed(u"位置: D:\\Gone (不存在)"));
}

}  // namespace
}  // namespace tarnwick::testing

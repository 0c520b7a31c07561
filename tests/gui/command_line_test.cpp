// The command line through the real exe under Wine: a dry run changes nothing, a move is undone
// to the byte by /undo and by Wine's own regedit, /list tells what the registry holds, and each
// exit code is the one promised.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/managed_folders.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "registry_snapshot.h"
#include "tarnwick_process.h"
#include "wine/scratch_disk.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

struct Finished {
    DWORD exitCode = STILL_ACTIVE;
    std::wstring output;
    DWORD processId = 0;
};

// How a program is started: in a folder of its own, or where this one runs.
struct StartWith {
    std::wstring directory;
};

// Runs a program with its standard output on a pipe, to its end.
Finished RunWithOutput(const std::wstring& program, const std::wstring& arguments,
                       const StartWith& start = {}) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return {};
    }
    const win32::UniqueKernelHandle reader(readEnd);
    win32::UniqueKernelHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        start.directory.empty() ? nullptr : start.directory.c_str(), &startup,
                        &info)) {
        return {};
    }
    const win32::UniqueKernelHandle process(info.hProcess);
    const win32::UniqueKernelHandle thread(info.hThread);
    writer.reset();
    // Read until the process has ended and the pipe is empty: the end of the pipe is not waited
    // for, as a process the program started may hold its write end.
    std::string bytes;
    for (bool ended = false;;) {
        DWORD available = 0;
        PeekNamedPipe(reader.get(), nullptr, 0, nullptr, &available, nullptr);
        if (available > 0) {
            std::string chunk(available, '\0');
            DWORD read = 0;
            ReadFile(reader.get(), chunk.data(), available, &read, nullptr);
            bytes.append(chunk, 0, read);
        } else if (ended) {
            break;
        } else {
            ended = WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0;
        }
    }
    Finished finished;
    WaitForSingleObject(info.hProcess, 60000);
    GetExitCodeProcess(info.hProcess, &finished.exitCode);
    finished.output = win32::WideFromUtf8(bytes);
    finished.processId = info.dwProcessId;
    return finished;
}

Finished Tarnwick(const std::wstring& arguments, const StartWith& start = {}) {
    return RunWithOutput(TarnwickPath(), arguments, start);
}

// Every value a run may write, as Windows stores it (strings in UTF-16), or that it is absent.
struct StoredValue {
    std::wstring name;
    bool exists = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const StoredValue&) const = default;
    friend void PrintTo(const StoredValue& value, std::ostream* out) {
        *out << Utf8(value.name) << (value.exists ? "" : " absent") << " type " << value.type
             << ", " << value.data.size() << " bytes:";
        // The first ones only: a value may be 200 KB.
        for (std::size_t i = 0; i < value.data.size() && i < 64; ++i) {
            *out << ' ' << static_cast<int>(value.data[i]);
        }
    }
};

std::vector<StoredValue> ManagedValues() {
    std::vector<StoredValue> values;
    for (const ManagedFolder& folder : kManagedFolders) {
        for (const RegistryTarget& target : folder.writeTargets) {
            StoredValue value{win32::Wide(target.FullName())};
            HKEY opened = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(target.key).c_str(), 0,
                              KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
                const win32::UniqueHkey key(opened);
                const std::wstring name = win32::Wide(target.valueName);
                DWORD size = 0;
                if (RegQueryValueExW(opened, name.c_str(), nullptr, &value.type, nullptr, &size) ==
                    ERROR_SUCCESS) {
                    value.data.resize(size);
                    value.exists = RegQueryValueExW(opened, name.c_str(), nullptr, &value.type,
                                                    value.data.data(), &size) == ERROR_SUCCESS;
                }
            }
            values.push_back(std::move(value));
        }
    }
    return values;
}

void PutString(std::u16string_view key, const wchar_t* name, DWORD type, const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, win32::Wide(key).c_str(), name, type, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Every file below a folder with its contents, and every folder.
std::map<fs::path, std::string> TreeOf(const fs::path& root) {
    std::map<fs::path, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::ostringstream contents;
        if (entry.is_regular_file()) {
            contents << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        }
        tree[entry.path()] = contents.str();
    }
    return tree;
}

// Command interpreters that the given process started, running or not. (Wine may start its
// desktop process from it too.)
int InterpretersStartedBy(DWORD processId) {
    const win32::UniqueKernelHandle snapshot(
        win32::NullIfInvalid(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int started = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        started +=
            entry.th32ParentProcessID == processId && _wcsicmp(entry.szExeFile, L"cmd.exe") == 0
                ? 1
                : 0;
    }
    return started;
}

// The journals a test made are removed after it, so that the next test's /undo finds its own.
class CommandLine : public ::testing::Test {
  protected:
    CommandLine() {
        fs::create_directories(oldTemp_);
        fs::create_directories(oldDocuments_);
        WriteMarker(oldTemp_ / L"临时.txt");
        WriteMarker(oldDocuments_ / L"论文.txt");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Environment", L"Tmp");
        PutString(kEnvironmentKey, L"Temp", REG_EXPAND_SZ, oldTemp_.wstring());
        // Both keys agree, as the shell keeps them: it rewrites the resolved one when asked.
        PutString(kUserShellFoldersKey, L"Personal", REG_EXPAND_SZ, oldDocuments_.wstring());
        PutString(kShellFoldersKey, L"Personal", REG_SZ, oldDocuments_.wstring());
        journalsBefore_ = Journals();
    }
    ~CommandLine() override {
        for (const fs::path& journal : Journals()) {
            if (!journalsBefore_.count(journal)) {
                fs::remove(journal);
            }
        }
    }

    static fs::path JournalFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Tarnwick"; }
    static std::set<fs::path> Journals() {
        std::set<fs::path> journals;
        std::error_code none;
        for (const auto& entry : fs::directory_iterator(JournalFolder(), none)) {
            journals.insert(entry.path());
        }
        return journals;
    }
    // The journals made since the test began, oldest name first.
    std::vector<fs::path> NewJournals() const {
        std::vector<fs::path> made;
        for (const fs::path& journal : Journals()) {
            if (!journalsBefore_.count(journal)) {
                made.push_back(journal);
            }
        }
        return made;
    }
    std::wstring MoveBothArguments() const {
        return L"/move \"temp=" + (Scratch() / L"新临时").wstring() + L"\" \"documents=" +
               (Scratch() / L"新文档").wstring() + L"\"";
    }
    fs::path Scratch() const { return scratch_.path(); }

    ScratchFolder scratch_{L"command-line"};
    RegistrySnapshot registry_;
    fs::path oldTemp_ = Scratch() / L"旧临时";
    fs::path oldDocuments_ = Scratch() / L"旧文档";
    std::set<fs::path> journalsBefore_;
};

TEST_F(CommandLine, ADryRunPrintsThePlanAndLeavesRegistryAndDiskAsTheyWere) {
    const auto values = ManagedValues();
    const auto tree = TreeOf(Scratch());
    const Finished run = Tarnwick(MoveBothArguments() + L" /copy /deltemp /dryrun");
    EXPECT_EQ(run.exitCode, 0u) << Utf8(run.output);
    for (const std::wstring& step :
         {L"TEMP: " + oldTemp_.wstring() + L" -> " + (Scratch() / L"新临时").wstring(),
          L"新建文件夹 " + (Scratch() / L"新文档").wstring(),
          std::wstring(L"写入 HKEY_CURRENT_USER\\Environment\\Tmp = "),
          L"复制 " + oldDocuments_.wstring() + L"\\*.* 到 ",
          L"TEMP: 转移后删除 " + oldTemp_.wstring()}) {
        EXPECT_NE(run.output.find(step), std::wstring::npos) << Utf8(step);
    }
    EXPECT_EQ(ManagedValues(), values);
    EXPECT_EQ(TreeOf(Scratch()), tree);
    EXPECT_EQ(Journals(), journalsBefore_);
    EXPECT_EQ(InterpretersStartedBy(run.processId), 0) << "a deletion was started";
}

TEST_F(CommandLine, UndoAndTheRegistryEditorBothPutEveryValueBackToTheByte) {
    // Characters the ANSI code page lacks, as another program may have stored them.
    PutString(kUserShellFoldersKey, L"Personal", REG_EXPAND_SZ,
              L"%USERPROFILE%\\한국어 Ελληνικά 😀");
    const auto values = ManagedValues();
    const Finished move = Tarnwick(MoveBothArguments());
    ASSERT_EQ(move.exitCode, 0u) << Utf8(move.output);
    EXPECT_NE(move.output.find(L"已转移 2 个文件夹"), std::wstring::npos);
    const auto moved = ManagedValues();
    ASSERT_NE(moved, values);
    const std::set<fs::path> afterMove = Journals();
    ASSERT_EQ(afterMove.size(), journalsBefore_.size() + 1);
    fs::path journal;
    for (const fs::path& file : afterMove) {
        journal = journalsBefore_.count(file) ? journal : file;
    }
    EXPECT_NE(move.output.find(journal.wstring()), std::wstring::npos) << Utf8(move.output);

    const Finished undo = Tarnwick(L"/undo");
    EXPECT_EQ(undo.exitCode, 0u) << Utf8(undo.output);
    EXPECT_EQ(ManagedValues(), values) << "/undo";
    // The undo was journalled: undoing it moves the folders again.
    const Finished redo = Tarnwick(L"/undo");
    EXPECT_EQ(redo.exitCode, 0u) << Utf8(redo.output);
    EXPECT_EQ(ManagedValues(), moved) << "/undo of the undo";

    // What Explorer does when the journal is opened, without asking.
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const Finished regedit = RunWithOutput(std::wstring(windows) + L"\\regedit.exe",
                                           L"/s \"" + journal.wstring() + L"\"");
    EXPECT_EQ(regedit.exitCode, 0u);
    EXPECT_EQ(ManagedValues(), values) << "regedit /s";
}

TEST_F(CommandLine, APreviousValueOf200KBIsJournalledAndPutBackToTheByte) {
    PutString(kUserShellFoldersKey, L"Personal", REG_EXPAND_SZ, std::wstring(100'000, L'长'));
    const auto values = ManagedValues();
    const Finished move =
        Tarnwick(L"/move \"documents=" + (Scratch() / L"新文档").wstring() + L"\"");
    ASSERT_EQ(move.exitCode, 0u) << Utf8(move.output);
    ASSERT_EQ(NewJournals().size(), 1u);
    EXPECT_GT(fs::file_size(NewJournals().front()), 1u << 20);
    const Finished undo = Tarnwick(L"/undo");
    EXPECT_EQ(undo.exitCode, 0u) << Utf8(undo.output);
    EXPECT_EQ(ManagedValues(), values);
}

TEST_F(CommandLine, UndoRefusesACutJournalAndTakesAFileWhateverItsNameStartsWith) {
    const auto values = ManagedValues();
    ASSERT_EQ(Tarnwick(MoveBothArguments()).exitCode, 0u);
    const auto moved = ManagedValues();
    ASSERT_EQ(NewJournals().size(), 1u);
    const fs::path journal = NewJournals().front();
    std::ostringstream contents;
    contents << std::ifstream(journal, std::ios::binary).rdbuf();
    const std::string bytes = contents.str();

    // Cut right after a line that a hex list goes on from, and planted as the newest.
    const std::size_t continued = bytes.rfind(std::string("\\\0\r\0\n\0", 6));
    ASSERT_NE(continued, std::string::npos);
    std::ofstream(JournalFolder() / L"999999-20000101-000000.reg", std::ios::binary)
        << bytes.substr(0, continued + 6);
    const Finished cut = Tarnwick(L"/undo");
    EXPECT_EQ(cut.exitCode, 1u) << Utf8(cut.output);
    EXPECT_NE(cut.output.find(L"无法读取转移记录"), std::wstring::npos) << Utf8(cut.output);
    EXPECT_EQ(ManagedValues(), moved);

    fs::copy_file(journal, Scratch() / L"-journal.reg");
    const Finished dash = Tarnwick(L"/undo -journal.reg", {.directory = Scratch().wstring()});
    EXPECT_EQ(dash.exitCode, 0u) << Utf8(dash.output);
    EXPECT_EQ(ManagedValues(), values);
}

TEST_F(CommandLine, TheListTellsWhatTheRegistryHoldsAndWhetherEachFolderIsThere) {
    PutString(kUserShellFoldersKey, L"Favorites", REG_EXPAND_SZ, (Scratch() / L"没有的").wstring());
    PutString(kShellFoldersKey, L"Favorites", REG_SZ, (Scratch() / L"没有的").wstring());
    const Finished list = Tarnwick(L"/list");
    EXPECT_EQ(list.exitCode, 0u);
    for (const StoredValue& value : ManagedValues()) {
        std::wstring line = value.name + L" = ";
        if (!value.exists) {
            line += L"(不存在)";
        } else {
            const std::wstring text(reinterpret_cast<const wchar_t*>(value.data.data()),
                                    value.data.size() / sizeof(wchar_t));
            line += text.substr(0, text.find(L'\0'));
            line += value.type == REG_EXPAND_SZ ? L" (REG_EXPAND_SZ)" : L" (REG_SZ)";
        }
        EXPECT_NE(list.output.find(line + L"\r\n"), std::wstring::npos) << Utf8(line);
    }
    EXPECT_NE(list.output.find(L"位置: " + oldDocuments_.wstring() + L" (存在)"),
              std::wstring::npos);
    EXPECT_NE(list.output.find(L"位置: " + (Scratch() / L"没有的").wstring() + L" (不存在)"),
              std::wstring::npos);
}

TEST_F(CommandLine, EachExitCodeIsTheOnePromisedAndNothingChangesOnAFailure) {
    const auto values = ManagedValues();
    const Finished help = Tarnwick(L"/?");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_NE(help.output.find(L"用法:"), std::wstring::npos);
    const Finished badName = Tarnwick(L"/move \"pictures=" + Scratch().wstring() + L"\"");
    EXPECT_EQ(badName.exitCode, 2u);
    EXPECT_NE(badName.output.find(L"不认识的文件夹名称: pictures"), std::wstring::npos);

    // Refused: a file stands where a folder would have to be made.
    std::ofstream(Scratch() / L"afile") << "a file";
    const Finished refused =
        Tarnwick(L"/move \"documents=" + (Scratch() / L"afile" / L"Docs").wstring() + L"\"");
    EXPECT_EQ(refused.exitCode, 1u) << Utf8(refused.output);
    EXPECT_NE(refused.output.find(L"已转移 0 个文件夹, 1 个没有转移"), std::wstring::npos);

    // The journal cannot be written where it goes: nothing is changed.
    const fs::path folder = JournalFolder();
    const fs::path aside = folder.wstring() + L".aside";
    std::error_code none;
    fs::rename(folder, aside, none);
    std::ofstream(folder) << "not a folder";
    const Finished noJournal = Tarnwick(MoveBothArguments());
    fs::remove(folder);
    fs::rename(aside, folder, none);
    EXPECT_EQ(noJournal.exitCode, 1u) << Utf8(noJournal.output);
    EXPECT_NE(noJournal.output.find(L"无法写入这次转移的记录"), std::wstring::npos);
    EXPECT_EQ(ManagedValues(), values);
    EXPECT_FALSE(fs::exists(Scratch() / L"新文档"));

    // No command interpreter can start: the folder still moves, and the journal is named.
    {
        const CommandInterpreterAway away;
        ASSERT_TRUE(away.Moved());
        const Finished noCommand =
            Tarnwick(L"/move \"temp=" + (Scratch() / L"新临时").wstring() + L"\" /deltemp");
        EXPECT_EQ(noCommand.exitCode, 1u) << Utf8(noCommand.output);
        for (const std::wstring& told :
             {std::wstring(L"下列临时文件夹没有删除:\r\n"), L"TEMP: " + oldTemp_.wstring(),
              std::wstring(L"已转移 1 个文件夹。"),
              L"转移前的注册表值记在 " + JournalFolder().wstring()}) {
            EXPECT_NE(noCommand.output.find(told), std::wstring::npos) << Utf8(noCommand.output);
        }
    }
    EXPECT_TRUE(fs::exists(oldTemp_ / L"临时.txt"));

    // Another copy with its window open.
    TarnwickProcess window;
    ASSERT_NE(window.WaitForWindow(), nullptr);
    const Finished busy = Tarnwick(L"/list");
    EXPECT_EQ(busy.exitCode, 3u);
    EXPECT_NE(busy.output.find(L"另一个 Tarnwick 正在运行"), std::wstring::npos);
    EXPECT_EQ(Tarnwick(L"/?").exitCode, 0u) << "usage needs no lock";
}

}  // namespace
}  // namespace tarnwick::testing

#include "ui/command_line.h"

#include <algorithm>
#include <utility>

#include "core/journal.h"
#include "core/path.h"
#include "core/redirect_run.h"
#include "core/resolved_path.h"
#include "core/run_request.h"
#include "core/text.h"
#include "platform/numbers.h"
#include "ui/control_values.h"

namespace tarnwick {

namespace {

const ManagedFolder* FolderNamed(std::u16string_view name) {
    for (const ManagedFolder& folder : kManagedFolders) {
        if (ToLowerCase(name) == folder.commandName) {
            return &folder;
        }
    }
    return nullptr;
}

// A string value's text as stored, in UTF-16, up to its terminator.
std::u16string StoredText(const ByteArray& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size() && (bytes[i] | bytes[i + 1]) != 0; i += 2) {
        text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    }
    return text;
}

int List(const RedirectServices& services, ConsoleApi& console) {
    for (const ManagedFolder& folder : kManagedFolders) {
        std::u16string text = Joined({folder.commandName, u" (", folder.folder, u")\n"});
        for (const RegistryTarget& target : folder.writeTargets) {
            const auto value =
                services.registry.SaveValue(kHkeyCurrentUser, target.key, target.valueName);
            text += Joined({u"    ", target.FullName(), u" = "});
            if (!value) {
                text += u"(无法读取)\n";
            } else if (!value->existed) {
                text += u"(不存在)\n";
            } else if (value->type == kRegSz || value->type == kRegExpandSz) {
                const std::u16string raw = StoredText(value->data);
                text += Joined({raw, u" (", RegistryTypeName(value->type), u")\n"});
                if (value->type == kRegExpandSz) {
                    std::u16string expanded;
                    try {
                        expanded = services.registry.ExpandEnvString(raw);
                    } catch (const RegistryError&) {
                        expanded = u"(无法展开)";
                    }
                    text += Joined({u"        展开后: ", expanded, u"\n"});
                }
            } else {
                text += Joined({u"(", RegistryTypeName(value->type), u", ",
                                DecimalText(static_cast<std::int64_t>(value->data.size())),
                                u" 字节)\n"});
            }
        }
        const std::u16string location = ReadLocation(services.registry, folder);
        std::u16string_view shown = u"(未知)";
        std::u16string_view kind;
        if (!location.empty()) {
            shown = location;
            kind = services.files.KindOf(location) == PathKind::Folder ? u" (存在)" : u" (不存在)";
        }
        console.Write(Joined({text, u"    位置: ", shown, kind, u"\n"}));
    }
    return kExitDone;
}

int Move(const CommandLine& command, const RedirectServices& services, ConsoleApi& console) {
    // The window as start-up fills it, with the command's choices made in it.
    ControlValues controls;
    for (const ManagedFolder& folder : kManagedFolders) {
        controls.SetText(folder.locationLabel,
                         ToUpperCase(ReadLocation(services.registry, folder)));
        controls.SetText(folder.destinationBox, folder.defaultDestination);
    }
    for (const auto& [folder, destination] : command.moves) {
        controls.SetValue(folder->selectBox, kChecked);
        controls.SetText(folder->destinationBox, destination);
    }
    controls.SetValue(ControlId::ChkDelTmp, command.deleteTemporary ? kChecked : kUnchecked);
    controls.SetValue(ControlId::ChkCopy, command.copy ? kChecked : kUnchecked);

    if (command.dryRun) {
        const RunPlan plan = PlanRun(controls, services);
        console.Write(PlanText(plan));
        return plan.refused == 0 && plan.deletions.kept.empty() ? kExitDone : kExitNotAllDone;
    }
    const RunOutcome outcome = RedirectRun(controls, services);
    std::u16string text = Joined({u"已转移 ", DecimalText(outcome.moved), u" 个文件夹"});
    if (outcome.refused + outcome.failed > 0) {
        text += Joined({u", ", DecimalText(outcome.refused + outcome.failed), u" 个没有转移"});
    }
    text += u"。\n";
    if (!outcome.journal.empty()) {
        text += Joined({u"转移前的注册表值记在 ", outcome.journal, u" 中, 用 /undo 可以恢复。\n"});
    }
    console.Write(text);
    return outcome.AllDone() ? kExitDone : kExitNotAllDone;
}

bool Writes(const ManagedFolder& folder, const JournalEntry& entry) {
    for (const RegistryTarget& target : folder.writeTargets) {
        if (ToLowerCase(entry.key) == ToLowerCase(target.key) &&
            ToLowerCase(entry.valueName) == ToLowerCase(target.valueName)) {
            return true;
        }
    }
    return false;
}

const ManagedFolder* FolderWriting(const JournalEntry& entry) {
    for (const ManagedFolder& folder : kManagedFolders) {
        if (Writes(folder, entry)) {
            return &folder;
        }
    }
    return nullptr;
}

// A restored location must be a folder again: the run may have removed an old temporary folder.
// Returns false when one could not be made.
bool RecreateMissingLocations(const std::vector<JournalEntry>& entries,
                              const RedirectServices& services, ConsoleApi& console) {
    bool allThere = true;
    for (const ManagedFolder& folder : kManagedFolders) {
        if (std::none_of(entries.begin(), entries.end(),
                         [&](const JournalEntry& entry) { return Writes(folder, entry); })) {
            continue;
        }
        const std::u16string location = ReadLocation(services.registry, folder);
        const auto resolved =
            IsAbsolutePath(location) ? Resolve(services.files, location) : std::nullopt;
        if (!resolved || services.files.KindOf(resolved->acting) != PathKind::Missing) {
            continue;
        }
        for (const std::u16string& level : PathPrefixes(resolved->acting)) {
            if (services.files.KindOf(level) == PathKind::Folder) {
                continue;
            }
            if (!services.files.CreateFolder(level)) {
                console.Write(Joined({u"无法新建 ", folder.folder, u" 的文件夹 ", level, u"\n"}));
                allThere = false;
                break;
            }
            console.Write(Joined(
                {u"已新建 ", folder.folder, u" 的文件夹 ", level, u" (恢复的位置不存在)\n"}));
        }
    }
    return allThere;
}

int Undo(const CommandLine& command, const RedirectServices& services, ConsoleApi& console) {
    const std::optional<std::u16string> path =
        command.undoFile ? command.undoFile : services.journal.Newest();
    if (!path) {
        console.Write(u"没有找到转移记录。\n");
        return kExitNotAllDone;
    }
    const std::optional<std::string> file = services.journal.Read(*path);
    const auto entries = file ? ParseJournal(*file) : std::nullopt;
    if (!entries) {
        console.Write(Joined({u"无法读取转移记录 ", *path, u"。\n"}));
        return kExitNotAllDone;
    }
    // Nothing to put back, and so nothing to journal: an empty journal would become the newest.
    if (entries->empty()) {
        console.Write(Joined({u"转移记录 ", *path, u" 中没有注册表值, 没有恢复任何值。\n"}));
        return kExitNotAllDone;
    }
    // Only the values a run writes: a file of anything else is not applied at all.
    std::vector<JournalEntry> now;
    for (const JournalEntry& entry : *entries) {
        if (!FolderWriting(entry)) {
            console.Write(
                Joined({u"转移记录中有不属于 Tarnwick 的值, 没有恢复任何值: HKEY_CURRENT_USER\\",
                        entry.key, u"\\", entry.valueName, u"\n"}));
            return kExitNotAllDone;
        }
        const auto value =
            services.registry.SaveValue(kHkeyCurrentUser, entry.key, entry.valueName);
        if (!value) {
            console.Write(Joined({u"无法读取注册表值 HKEY_CURRENT_USER\\", entry.key, u"\\",
                                  entry.valueName, u", 没有恢复任何值。\n"}));
            return kExitNotAllDone;
        }
        now.push_back({entry.key, entry.valueName, *value});
    }
    // The undo is journalled too, so that it can be undone.
    const std::optional<std::u16string> journal = services.journal.Save(JournalFile(now));
    if (!journal) {
        console.Write(u"无法写入这次恢复的记录, 没有恢复任何值。\n");
        return kExitNotAllDone;
    }
    int failed = 0;
    bool environment = false;
    for (const JournalEntry& entry : *entries) {
        if (!services.registry.RestoreValue(kHkeyCurrentUser, entry.key, entry.valueName,
                                            entry.value)) {
            ++failed;
            console.Write(Joined(
                {u"无法恢复 HKEY_CURRENT_USER\\", entry.key, u"\\", entry.valueName, u"\n"}));
        }
        environment = environment || ToLowerCase(entry.key) == ToLowerCase(kEnvironmentKey);
    }
    console.Write(Joined({u"已按 ", *path, u" 恢复 ",
                          DecimalText(static_cast<std::int64_t>(entries->size()) - failed),
                          u" 个注册表值。恢复之前的值记在 ", *journal, u" 中。\n"}));
    const bool foldersThere = RecreateMissingLocations(*entries, services, console);
    if (environment) {
        services.environment.AnnounceEnvironmentChange();
    }
    return failed == 0 && foldersThere ? kExitDone : kExitNotAllDone;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) {
            ++i;
        }
        if (i >= line.size()) {
            return words;
        }
        std::u16string word;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != u' ' && line[i] != u'\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == u'"') {
                word.append(backslashes / 2, u'\\');
                if (backslashes % 2 == 1) {
                    word += u'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                    word += u'"';  // "" inside quotes is a quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                word.append(backslashes, u'\\');
                if (i < line.size() && (quoted || (line[i] != u' ' && line[i] != u'\t'))) {
                    word += line[i++];
                }
            }
        }
        words.push_back(std::move(word));
    }
}

std::variant<CommandLine, std::u16string> ParseCommandLine(
    const std::vector<std::u16string>& arguments) {
    CommandLine command;
    std::optional<CommandLine::Action> action;
    const auto setAction = [&](CommandLine::Action wanted) -> bool {
        if (action) {
            return false;
        }
        action = wanted;
        return true;
    };
    bool fileExpected = false;
    for (const std::u16string& argument : arguments) {
        // The word after /undo is its file, whatever it starts with: a file may be named "-x.reg".
        if (std::exchange(fileExpected, false)) {
            command.undoFile = argument;
            continue;
        }
        const bool option = !argument.empty() && (argument[0] == u'/' || argument[0] == u'-');
        const std::u16string word = option ? ToLowerCase(argument.substr(1)) : argument;
        if (option) {
            if (word == u"?" || word == u"help") {
                if (!setAction(CommandLine::Action::Help)) {
                    return u"/? 不能和别的命令一起用";
                }
            } else if (word == u"list" || word == u"move" || word == u"undo") {
                const auto wanted = word == u"list"   ? CommandLine::Action::List
                                    : word == u"move" ? CommandLine::Action::Move
                                                      : CommandLine::Action::Undo;
                if (!setAction(wanted)) {
                    return u"只能有一个命令: /list, /move, /undo 或 /?";
                }
                fileExpected = wanted == CommandLine::Action::Undo;
            } else if (word == u"copy") {
                command.copy = true;
            } else if (word == u"deltemp") {
                command.deleteTemporary = true;
            } else if (word == u"dryrun") {
                command.dryRun = true;
            } else if (word == u"yes") {
                command.yes = true;
            } else {
                return Joined({u"不认识的选项: ", argument});
            }
            continue;
        }
        if (action == CommandLine::Action::Undo) {
            if (command.undoFile) {
                return u"/undo 只能给一个文件";
            }
            command.undoFile = argument;
            continue;
        }
        if (action != CommandLine::Action::Move) {
            return Joined({u"不认识的参数: ", argument, u" (名称=路径 要跟在 /move 后面)"});
        }
        const std::size_t equals = argument.find(u'=');
        if (equals == std::u16string::npos) {
            return Joined({u"缺少 \"=\": ", argument, u" (应该是 名称=路径)"});
        }
        const ManagedFolder* folder = FolderNamed(argument.substr(0, equals));
        if (!folder) {
            return Joined({u"不认识的文件夹名称: ", std::u16string_view(argument).substr(0, equals),
                           u" (可以是 temp, cookies, history, cache, favorites, documents)"});
        }
        if (std::any_of(command.moves.begin(), command.moves.end(),
                        [&](const auto& move) { return move.first == folder; })) {
            return Joined({u"文件夹 ", folder->commandName, u" 出现了不止一次"});
        }
        if (equals + 1 == argument.size()) {
            return Joined({u"文件夹 ", folder->commandName, u" 缺少路径"});
        }
        command.moves.push_back({folder, argument.substr(equals + 1)});
    }
    if (!action) {
        return u"缺少命令";
    }
    command.action = *action;
    if (command.action == CommandLine::Action::Move && command.moves.empty()) {
        return u"/move 后面至少要有一个 名称=路径";
    }
    if (command.action != CommandLine::Action::Move &&
        (command.copy || command.deleteTemporary || command.dryRun || command.yes)) {
        return u"/copy, /deltemp, /dryrun 和 /yes 只能和 /move 一起用";
    }
    // The run handles the folders in table order, whatever order they were named in. Each is
    // named once at most, so walking the table puts them in order without the code of a sort.
    std::vector<std::pair<const ManagedFolder*, std::u16string>> inTableOrder;
    for (const ManagedFolder& folder : kManagedFolders) {
        for (auto& move : command.moves) {
            if (move.first == &folder) {
                inTableOrder.push_back(std::move(move));
            }
        }
    }
    command.moves = std::move(inTableOrder);
    return command;
}

std::u16string Usage() {
    return u"用法:\n"
           u"  Tarnwick.exe                   打开窗口\n"
           u"  Tarnwick.exe /list             列出六个文件夹的注册表值和位置\n"
           u"  Tarnwick.exe /move 名称=路径 ... [/copy] [/deltemp] [/dryrun] [/yes]\n"
           u"                                 转移文件夹; 名称: temp, cookies, history, cache,\n"
           u"                                 favorites, documents\n"
           u"      /copy      复制收藏夹及我的文档到新的位置\n"
           u"      /deltemp   删除临时文件\n"
           u"      /dryrun    只列出要做的事, 不做任何改变\n"
           u"      /yes       对所有提问回答\"是\" (不给时回答\"否\")\n"
           u"  Tarnwick.exe /undo [文件]      按最近一次 (或给出的) 转移记录恢复注册表值\n"
           u"  Tarnwick.exe /?                显示这个说明\n"
           u"转移记录是 %LOCALAPPDATA%\\Tarnwick 中的 .reg 文件, "
           u"也可以在资源管理器中打开它来恢复。\n"
           u"退出代码: 0 全部完成, 1 有文件夹没有转移或有操作失败, 2 用法错误, 3 已有另一个\n"
           u"Tarnwick 在运行。\n";
}

int RunCommandLine(const CommandLine& command, const RedirectServices& services,
                   ConsoleApi& console) {
    switch (command.action) {
        case CommandLine::Action::List:
            return List(services, console);
        case CommandLine::Action::Move:
            return Move(command, services, console);
        case CommandLine::Action::Undo:
            return Undo(command, services, console);
        case CommandLine::Action::Help:
            break;
    }
    console.Write(Usage());
    return kExitDone;
}

int ConsoleMessages::Show(std::u16string_view text, std::u16string_view title,
                          std::uint32_t style) {
    if (!(style & kMbYesNo)) {
        console_.Write(Joined({u"[", title, u"] ", text, u"\n"}));
        return 1;  // IDOK
    }
    console_.Write(Joined({u"[", title, u"] ", text, yes_ ? u" 是 (/yes)\n" : u" 否\n"}));
    return yes_ ? kIdYes : kIdNo;
}

}  // namespace tarnwick

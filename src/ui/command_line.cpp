#include "ui/command_line.h"

#include <algorithm>
#include <utility>

#include "core/redirect_run.h"
#include "core/run_request.h"
#include "core/text.h"
#include "core/undo.h"
#include "platform/numbers.h"

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

// The folders as start-up finds them, with the command's choices made.
RunRequest MoveRequest(const CommandLine& command, ModReg& registry) {
    RunRequest request{.deleteTemporary = command.deleteTemporary, .copyContents = command.copy};
    for (const ManagedFolder& folder : kManagedFolders) {
        request.folders.push_back({.folder = &folder,
                                   .location = ReadLocation(registry, folder),
                                   .destination = std::u16string(folder.defaultDestination)});
    }
    for (const auto& [folder, destination] : command.moves) {
        FolderRequest& asked =
            request.folders[static_cast<std::size_t>(folder - kManagedFolders.data())];
        asked.selected = true;
        asked.destination = destination;
    }
    return request;
}

std::u16string NoticeLine(const Notice& notice) {
    return Joined({u"[", notice.title, u"] ", notice.text, u"\n"});
}

int Move(const CommandLine& command, const RedirectServices& services, ConsoleApi& console) {
    RunPlan plan = PlanRun(MoveRequest(command, services.registry), services);
    ConsoleConfirmation confirmation(console, command.yes);
    if (command.dryRun) {
        // The refusals are lines of the plan.
        SettleQuestions(plan, confirmation, [](const Notice&) {});
        console.Write(PlanText(plan));
        return plan.Refused() == 0 && plan.deletions.kept.empty() ? kExitDone : kExitNotAllDone;
    }
    const auto tell = [&console](const Notice& notice) { console.Write(NoticeLine(notice)); };
    SettleQuestions(plan, confirmation, tell);
    const RunOutcome outcome = CarryOut(plan, services);
    for (const Notice& notice : OutcomeNotices(outcome)) {
        tell(notice);
    }
    using Result = FolderOutcome::Result;
    const int notMoved = outcome.Count(Result::Refused) + outcome.Count(Result::NotCreated) +
                         outcome.Count(Result::NotWritten);
    std::u16string text =
        Joined({u"已转移 ", DecimalText(outcome.Count(Result::Moved)), u" 个文件夹"});
    if (notMoved > 0) {
        text += Joined({u", ", DecimalText(notMoved), u" 个没有转移"});
    }
    text += u"。\n";
    if (!outcome.journal.empty()) {
        text += Joined({u"转移前的注册表值记在 ", outcome.journal, u" 中, 用 /undo 可以恢复。\n"});
    }
    console.Write(text);
    return outcome.AllDone() ? kExitDone : kExitNotAllDone;
}

// What an undo did, or why it did nothing.
std::u16string UndoText(const UndoOutcome& outcome) {
    using Status = UndoOutcome::Status;
    switch (outcome.status) {
        case Status::NoJournal:
            return u"没有找到转移记录。\n";
        case Status::Unreadable:
            return Joined({u"无法读取转移记录 ", outcome.path, u"。\n"});
        case Status::Empty:
            return Joined({u"转移记录 ", outcome.path, u" 中没有注册表值, 没有恢复任何值。\n"});
        case Status::ForeignValue:
            return Joined(
                {u"转移记录中有不属于 Tarnwick 的值, 没有恢复任何值: ", outcome.valueName, u"\n"});
        case Status::CurrentUnreadable:
            return Joined({u"无法读取注册表值 ", outcome.valueName, u", 没有恢复任何值。\n"});
        case Status::JournalFailed:
            return u"无法写入这次恢复的记录, 没有恢复任何值。\n";
        case Status::Done:
            break;
    }
    std::u16string text;
    for (const std::u16string& name : outcome.notRestored) {
        text += Joined({u"无法恢复 ", name, u"\n"});
    }
    text += Joined({u"已按 ", outcome.path, u" 恢复 ",
                    DecimalText(static_cast<std::int64_t>(outcome.restored)),
                    u" 个注册表值。恢复之前的值记在 ", outcome.journal, u" 中。\n"});
    for (const UndoOutcome::Level& level : outcome.levels) {
        text +=
            level.made
                ? Joined({u"已新建 ", level.folder->folder, u" 的文件夹 ", level.path,
                          u" (恢复的位置不存在)\n"})
                : Joined({u"无法新建 ", level.folder->folder, u" 的文件夹 ", level.path, u"\n"});
    }
    return text;
}

int UndoCommand(const CommandLine& command, const RedirectServices& services, ConsoleApi& console) {
    const UndoOutcome outcome = Undo(command.undoFile, services);
    console.Write(UndoText(outcome));
    return outcome.AllDone() ? kExitDone : kExitNotAllDone;
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
            return UndoCommand(command, services, console);
        case CommandLine::Action::Help:
            break;
    }
    console.Write(Usage());
    return kExitDone;
}

bool ConsoleConfirmation::Confirm(const Notice& question) {
    console_.Write(
        Joined({u"[", question.title, u"] ", question.text, yes_ ? u" 是 (/yes)\n" : u" 否\n"}));
    return yes_;
}

}  // namespace tarnwick

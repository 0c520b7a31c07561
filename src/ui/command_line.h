// Tarnwick without its window: /list, /move, /undo and /?, with the same run, checks, guard and
// journal as the move button, its messages printed instead of shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/managed_folders.h"
#include "core/notice.h"
#include "core/run_services.h"
#include "platform/console_api.h"

namespace tarnwick {

// What the command line ends with.
inline constexpr int kExitDone = 0;
inline constexpr int kExitNotAllDone = 1;  // something was refused or failed
inline constexpr int kExitBadUsage = 2;
inline constexpr int kExitAlreadyRunning = 3;

struct CommandLine {
    enum class Action { List, Move, Undo, Help };
    Action action = Action::Help;
    std::vector<std::pair<const ManagedFolder*, std::u16string>> moves;  // in table order
    bool copy = false;
    bool deleteTemporary = false;
    bool dryRun = false;
    bool yes = false;
    std::optional<std::u16string> undoFile;
};

// The words of a Windows command line, as the C runtime splits them: spaces outside quotes part
// them, and backslashes count only before a quote.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

// The arguments after the program's name; the reason when they make no sense.
std::variant<CommandLine, std::u16string> ParseCommandLine(
    const std::vector<std::u16string>& arguments);

std::u16string Usage();

// Carries the command out, printing what the window would show, and gives the exit code.
int RunCommandLine(const CommandLine& command, const RedirectServices& services,
                   ConsoleApi& console);

// A question printed with its answer: Yes only when told so with /yes.
class ConsoleConfirmation : public Confirmation {
  public:
    ConsoleConfirmation(ConsoleApi& console, bool answerYes) : console_(console), yes_(answerYes) {}
    bool Confirm(const Notice& question) override;

  private:
    ConsoleApi& console_;
    bool yes_;
};

}  // namespace tarnwick

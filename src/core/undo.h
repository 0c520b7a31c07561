// Putting back what a journal holds: the values a run changed, and the old folders the run's
// cleanup may have removed. The undo is journalled too, so that it can be undone in turn.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/managed_folders.h"
#include "core/run_services.h"

namespace tarnwick {

struct UndoOutcome {
    enum class Status {
        Done,               // every value was tried; see notRestored
        NoJournal,          // none was found to undo
        Unreadable,         // the journal could not be read, or is not one the program writes
        Empty,              // the journal holds no value
        ForeignValue,       // it holds a value no run writes: nothing was applied
        CurrentUnreadable,  // a value's present state could not be saved: nothing was applied
        JournalFailed,      // the undo's own journal could not be written: nothing was applied
    };
    // A level of a restored location that was missing, and whether it could be made again.
    struct Level {
        const ManagedFolder* folder = nullptr;
        std::u16string path;
        bool made = false;
    };

    Status status = Status::Done;
    std::u16string path;       // the journal applied
    std::u16string valueName;  // the value that stopped it (ForeignValue, CurrentUnreadable)
    std::u16string journal;    // the undo's own journal
    std::size_t restored = 0;
    std::vector<std::u16string> notRestored;  // full names of the values not put back
    std::vector<Level> levels;                // in the order they were made or tried
    bool environmentAnnounced = false;

    bool AllDone() const;
};

// Applies the named journal, or the newest one without a name.
UndoOutcome Undo(const std::optional<std::u16string>& file, const RedirectServices& services);

}  // namespace tarnwick

#include "core/undo.h"

#include <algorithm>

#include "core/journal.h"
#include "core/missing_levels.h"
#include "core/path.h"
#include "core/resolved_path.h"
#include "core/run_request.h"
#include "core/text.h"

namespace tarnwick {

namespace {

using Status = UndoOutcome::Status;

bool Writes(const ManagedFolder& folder, const JournalEntry& entry) {
    for (const RegistryTarget& target : folder.writeTargets) {
        if (ToLowerCase(entry.key) == ToLowerCase(target.key) &&
            ToLowerCase(entry.valueName) == ToLowerCase(target.valueName)) {
            return true;
        }
    }
    return false;
}

bool AnyFolderWrites(const JournalEntry& entry) {
    return std::any_of(kManagedFolders.begin(), kManagedFolders.end(),
                       [&](const ManagedFolder& folder) { return Writes(folder, entry); });
}

std::u16string FullName(const JournalEntry& entry) {
    return Joined({u"HKEY_CURRENT_USER\\", entry.key, u"\\", entry.valueName});
}

// A restored location must be a folder again: the run may have removed an old temporary folder.
void RecreateMissingLocations(const std::vector<JournalEntry>& entries,
                              const RedirectServices& services, UndoOutcome& outcome) {
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
        std::vector<std::u16string> made;
        const std::optional<std::u16string> failed =
            CreateMissingLevels(services.files, PathPrefixes(resolved->acting), made);
        for (std::u16string& level : made) {
            outcome.levels.push_back({&folder, std::move(level), true});
        }
        if (failed) {
            outcome.levels.push_back({&folder, *failed, false});
        }
    }
}

}  // namespace

bool UndoOutcome::AllDone() const {
    return status == Status::Done && notRestored.empty() &&
           std::all_of(levels.begin(), levels.end(), [](const Level& level) { return level.made; });
}

UndoOutcome Undo(const std::optional<std::u16string>& file, const RedirectServices& services) {
    UndoOutcome outcome;
    const std::optional<std::u16string> path = file ? file : services.journal.Newest();
    if (!path) {
        outcome.status = Status::NoJournal;
        return outcome;
    }
    outcome.path = *path;
    const std::optional<std::string> text = services.journal.Read(*path);
    const auto entries = text ? ParseJournal(*text) : std::nullopt;
    if (!entries) {
        outcome.status = Status::Unreadable;
        return outcome;
    }
    // Nothing to put back, and so nothing to journal: an empty journal would become the newest.
    if (entries->empty()) {
        outcome.status = Status::Empty;
        return outcome;
    }
    // Only the values a run writes: a file of anything else is not applied at all.
    std::vector<JournalEntry> now;
    for (const JournalEntry& entry : *entries) {
        if (!AnyFolderWrites(entry)) {
            outcome.status = Status::ForeignValue;
            outcome.valueName = FullName(entry);
            return outcome;
        }
        auto value = services.registry.SaveValue(kHkeyCurrentUser, entry.key, entry.valueName);
        if (!value) {
            outcome.status = Status::CurrentUnreadable;
            outcome.valueName = FullName(entry);
            return outcome;
        }
        now.push_back({entry.key, entry.valueName, std::move(*value)});
    }
    const std::optional<std::u16string> journal = services.journal.Save(JournalFile(now));
    if (!journal) {
        outcome.status = Status::JournalFailed;
        return outcome;
    }
    outcome.journal = *journal;
    bool environment = false;
    for (const JournalEntry& entry : *entries) {
        if (services.registry.RestoreValue(kHkeyCurrentUser, entry.key, entry.valueName,
                                           entry.value)) {
            ++outcome.restored;
        } else {
            outcome.notRestored.push_back(FullName(entry));
        }
        environment = environment || ToLowerCase(entry.key) == ToLowerCase(kEnvironmentKey);
    }
    RecreateMissingLocations(*entries, services, outcome);
    // Programs started from now on should get the TEMP put back.
    if (environment) {
        services.environment.AnnounceEnvironmentChange();
        outcome.environmentAnnounced = true;
    }
    return outcome;
}

}  // namespace tarnwick

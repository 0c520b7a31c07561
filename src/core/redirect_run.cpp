#include "core/redirect_run.h"

#include <optional>

#include "core/managed_folders.h"
#include "core/path.h"
#include "core/text.h"

namespace tarnwick {

namespace {

bool Checked(const Controls& controls, ControlId id) {
    return controls.Value(id) == kChecked;
}

// Where the window says a folder is now: the label, without NULs an earlier run left after it.
std::u16string Location(const Controls& controls, const ManagedFolder& folder) {
    return std::u16string(UpToFirstNul(controls.Text(folder.locationLabel)));
}

struct PlannedDeletion {
    const ManagedFolder* folder;
    std::u16string location;  // as the label showed it when the run started
    bool selected;            // moved by this run, if all goes well
};

struct Plan {
    std::vector<PlannedDeletion> deletions;
    std::u16string kept;  // one line for each folder left alone, with the reason
};

// Why deleting location could harm something, or nullopt when it is safe.
std::optional<std::u16string> ReasonToKeep(const std::u16string& location,
                                           const std::vector<ProtectedFolder>& protectedFolders) {
    if (location.empty()) {
        return u"位置为空";
    }
    // The path goes into a command line between quotes.
    if (HasCommandUnsafeCharacter(location)) {
        return u"路径含有不能用于命令行的字符";
    }
    if (!IsAbsolutePath(location)) {
        return u"不是完整的路径";
    }
    if (IsRootPath(location)) {
        return u"是驱动器或共享的根目录";
    }
    for (const ProtectedFolder& guarded : protectedFolders) {
        if (IsSameOrInside(guarded.path, location)) {
            return u"包含" + guarded.name + u" (" + guarded.path + u")";
        }
    }
    return std::nullopt;
}

Plan PlanDeletions(const Controls& controls, const RedirectServices& services) {
    std::vector<ProtectedFolder> guarded = services.protectedFolders;
    for (const ManagedFolder& folder : kManagedFolders) {
        if (!folder.deleteAsTemporary) {
            guarded.push_back(
                {std::u16string(folder.folder) + u"的位置", Location(controls, folder)});
        }
        if (Checked(controls, folder.selectBox)) {
            guarded.push_back({std::u16string(folder.folder) + u"的新位置",
                               controls.Text(folder.destinationBox)});
        }
    }
    std::erase_if(guarded, [](const ProtectedFolder& g) { return UpToFirstNul(g.path).empty(); });

    Plan plan;
    for (const ManagedFolder& folder : kManagedFolders) {
        if (!folder.deleteAsTemporary) {
            continue;
        }
        const std::u16string location = Location(controls, folder);
        if (const auto reason = ReasonToKeep(location, guarded)) {
            plan.kept +=
                std::u16string(folder.folder) + u": " + location + u"\n    " + *reason + u"\n";
            continue;
        }
        plan.deletions.push_back({&folder, location, Checked(controls, folder.selectBox)});
    }
    return plan;
}

// A folder that stays the system's location is emptied but kept, so that nothing points to a
// missing folder afterwards.
void StartDeletion(const RedirectServices& services, const std::u16string& location,
                   bool keepFolder) {
    std::u16string command = u"CMD.exe /C RD /S/Q \"" + location + u"\"";
    if (keepFolder) {
        command += u" & MD \"" + location + u"\"";
    }
    services.processes.StartHidden(command);
}

bool MoveFolder(Controls& controls, const ManagedFolder& folder, const RedirectServices& services) {
    if (!CheckTarget(controls.Text(folder.locationLabel), controls.Text(folder.destinationBox),
                     services.check)) {
        return false;
    }
    std::u16string failed;
    for (const RegistryTarget& target : folder.writeTargets) {
        if (!services.registry.SetKeyValue(kHkeyCurrentUser, target.key, target.valueName,
                                           controls.Text(folder.destinationBox),
                                           folder.StringKind())) {
            failed += u"\nHKEY_CURRENT_USER\\" + std::u16string(target.key) + u"\\" +
                      std::u16string(target.valueName);
        }
    }
    if (!failed.empty()) {
        // Values already written stay; the label keeps the old location.
        services.check.messages.Show(
            std::u16string(folder.folder) + u"没有转移: 下列注册表值无法写入:" + failed,
            kWriteFailedTitle, kMbIconStop);
        return false;
    }
    if (folder.copyContents && Checked(controls, ControlId::ChkCopy)) {
        const std::u16string old = Location(controls, folder);
        const std::u16string destination = controls.Text(folder.destinationBox);
        // Never a copy of the current drive's root, nor of a folder into itself.
        if (!old.empty() && !IsSameOrInside(destination, old)) {
            services.shell.ShellCopyFiles(old + u"\\*.*", destination);
        }
    }
    controls.SetText(folder.locationLabel, controls.Text(folder.destinationBox));
    return true;
}

}  // namespace

void RedirectRun(Controls& controls, const RedirectServices& services) {
    Plan plan;
    if (Checked(controls, ControlId::ChkDelTmp)) {
        plan = PlanDeletions(controls, services);
        // A folder this run moves is removed once it has its new place; the others are emptied
        // now, before anything is rewritten.
        for (const PlannedDeletion& deletion : plan.deletions) {
            if (!deletion.selected) {
                StartDeletion(services, deletion.location, true);
            }
        }
        if (!plan.kept.empty()) {
            services.check.messages.Show(u"为了安全, 下列临时文件夹没有删除:\n\n" + plan.kept,
                                         kKeptTitle, kMbIconInformation);
        }
    }
    for (const ManagedFolder& folder : kManagedFolders) {
        if (!Checked(controls, folder.selectBox)) {
            continue;
        }
        const bool moved = MoveFolder(controls, folder, services);
        for (const PlannedDeletion& deletion : plan.deletions) {
            if (deletion.folder == &folder && deletion.selected) {
                StartDeletion(services, deletion.location, !moved);
            }
        }
    }
}

}  // namespace tarnwick

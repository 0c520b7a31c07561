#include "core/deletion_guard.h"

#include "core/path.h"
#include "core/resolved_path.h"
#include "core/text.h"
#include "core/tree_look.h"
#include "platform/numbers.h"

namespace tarnwick {

namespace {

struct GuardedFolder {
    std::u16string name;
    std::u16string path;    // canonical where Windows could resolve it
    bool orInside = false;  // a temporary folder inside it is kept too
};

// Why a path cannot go into the command line safely, or nullopt.
std::optional<std::u16string> CommandProblem(std::u16string_view path, const CodePage& codePage) {
    if (codePage.ToAnsi(path).size() >= kMaxPathBytes) {
        return u"路径太长, 不能安全地交给命令行";
    }
    // The path goes into the command line between quotes.
    if (HasCommandUnsafeCharacter(path)) {
        return u"路径含有不能用于命令行的字符";
    }
    if (!IsAbsolutePath(path)) {
        return u"不是完整的路径";
    }
    return std::nullopt;
}

std::vector<GuardedFolder> GuardedFolders(const RunRequest& request,
                                          const RedirectServices& services) {
    std::vector<GuardedFolder> guarded;
    for (NamedFolder& known : services.knownFolders.ProtectedFolders()) {
        guarded.push_back({std::move(known.name), std::move(known.path)});
    }
    for (const FolderRequest& folder : request.folders) {
        const std::u16string_view name = folder.folder->folder;
        if (!folder.folder->deleteAsTemporary) {
            guarded.push_back({Joined({name, u"的位置"}), folder.location});
        }
        if (folder.selected) {
            guarded.push_back({Joined({name, u"的新位置"}), folder.destination});
        }
    }
    // The journals are the way back from this very run.
    if (std::optional<std::u16string> journals = services.journal.Folder()) {
        guarded.push_back({u"Tarnwick 的转移记录文件夹", std::move(*journals), true});
    }
    std::erase_if(guarded, [](const GuardedFolder& g) { return g.path.empty(); });
    for (GuardedFolder& g : guarded) {
        // A folder that cannot be resolved is still compared as it is spelled.
        if (auto resolved = Resolve(services.files, g.path)) {
            g.path = std::move(resolved->canonical);
        }
    }
    return guarded;
}

// Wine's RD /S/Q enters the links it meets, and Windows' RD does for some kinds of link: a
// folder holding one anywhere is kept whole.
std::optional<std::u16string> LinkProblem(const std::u16string& folder,
                                          const RedirectServices& services) {
    if (services.files.KindOf(folder) == PathKind::Missing) {
        return std::nullopt;
    }
    const TreeListing look = services.files.ListTree(folder, {.maxEntries = kLargestTreeToDelete});
    switch (look.status) {
        case TreeListing::Status::TooLarge:
            return Joined({u"其中的文件和文件夹超过 ",
                           DecimalText(static_cast<std::int64_t>(kLargestTreeToDelete)),
                           u" 个, 无法在删除前全部检查其中有没有链接"});
        case TreeListing::Status::Unreadable:
            return Joined({u"无法读取其中的 ", ShownEntry(folder, look.unreadable),
                           u", 不能确认其中没有链接"});
        case TreeListing::Status::Complete:
            break;
    }
    if (const TreeEntry* link = FirstLink(look.entries)) {
        return Joined({u"其中的 ", ShownEntry(folder, link->relativePath),
                       u" 是一个链接, 删除时会连它指向的内容一起删除"});
    }
    return std::nullopt;
}

std::optional<std::u16string> ReasonToKeep(const std::u16string& location, std::u16string* acting,
                                           const std::vector<GuardedFolder>& guarded,
                                           const RedirectServices& services) {
    if (location.empty()) {
        return u"位置为空";
    }
    // Judged before Windows resolves it: a relative path would resolve against the current folder.
    if (auto problem = CommandProblem(location, services.codePage)) {
        return problem;
    }
    std::optional<ResolvedPath> resolved = Resolve(services.files, location);
    if (!resolved) {
        return u"Windows 无法解析这个路径";
    }
    if (auto problem = CommandProblem(resolved->acting, services.codePage)) {
        return Joined({*problem, u": ", ShownPath(resolved->acting)});
    }
    if (IsRootPath(resolved->canonical) || IsRootPath(resolved->acting)) {
        return u"是驱动器或共享的根目录";
    }
    for (const GuardedFolder& g : guarded) {
        if (IsSameOrInside(g.path, resolved->canonical)) {
            return Joined({SamePath(g.path, resolved->canonical) ? u"就是" : u"包含", g.name, u" (",
                           ShownPath(g.path), u")"});
        }
        if (g.orInside && IsSameOrInside(resolved->canonical, g.path)) {
            return Joined({u"在", g.name, u" (", ShownPath(g.path), u") 之中"});
        }
    }
    if (auto problem = LinkProblem(resolved->acting, services)) {
        return problem;
    }
    *acting = std::move(resolved->acting);
    return std::nullopt;
}

}  // namespace

const Deletion* DeletionPlan::Find(const ManagedFolder& folder) const {
    for (const Deletion& deletion : deletions) {
        if (deletion.folder == &folder) {
            return &deletion;
        }
    }
    return nullptr;
}

DeletionPlan PlanDeletions(const RunRequest& request, const RedirectServices& services) {
    const std::vector<GuardedFolder> guarded = GuardedFolders(request, services);
    DeletionPlan plan;
    for (const FolderRequest& folder : request.folders) {
        if (!folder.folder->deleteAsTemporary) {
            continue;
        }
        std::u16string acting;
        if (auto reason = ReasonToKeep(folder.location, &acting, guarded, services)) {
            plan.kept.push_back({folder.folder, folder.location, std::move(*reason)});
        } else {
            plan.deletions.push_back({folder.folder, std::move(acting)});
        }
    }
    return plan;
}

std::u16string DeletionCommand(std::u16string_view path, bool keepFolder) {
    return keepFolder ? Joined({u"CMD.exe /C RD /S/Q \"", path, u"\" & MD \"", path, u"\""})
                      : Joined({u"CMD.exe /C RD /S/Q \"", path, u"\""});
}

std::u16string KeptFoldersMessage(const std::vector<KeptFolder>& kept) {
    std::u16string text = u"为了安全, 下列临时文件夹没有删除:\n";
    for (const KeptFolder& folder : kept) {
        text += Joined({u"\n", folder.folder->folder, u": ", ShownPath(folder.location), u"\n    ",
                        folder.reason, u"\n"});
    }
    return text;
}

}  // namespace tarnwick

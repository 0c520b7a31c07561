#include "core/check_target.h"

#include "core/path.h"
#include "core/resolved_path.h"
#include "core/text.h"
#include "core/tree_look.h"

namespace tarnwick {

namespace {

class TargetCheck {
  public:
    TargetCheck(const RunRequest& request, const FolderRequest& folder,
                const RedirectServices& services)
        : request_(request), folder_(folder), services_(services) {}

    FolderPlan Run();

  private:
    // Fills the plan, or gives the reason why there is none.
    std::optional<Refusal> Check(MovePlan& plan) const;
    static Refusal Invalid() { return {Refusal::Kind::InvalidPath, {}}; }
    static Refusal Refuse(std::u16string reason) {
        return {Refusal::Kind::Refused, std::move(reason)};
    }
    std::u16string_view Name() const { return folder_.folder->folder; }
    // Compared as Windows resolves it; a path it cannot resolve is compared as spelled.
    std::u16string Canonical(std::u16string_view path) const {
        return services_.files.CanonicalPath(path).value_or(std::u16string(path));
    }

    std::optional<std::u16string> LevelsProblem(MovePlan& plan) const;
    std::optional<std::u16string> OtherFoldersProblem(const std::u16string& destination) const;
    std::optional<std::u16string> CopyProblem(MovePlan& plan,
                                              const std::u16string& destination) const;
    std::optional<std::u16string> TreeProblem(const MovePlan& plan) const;
    std::optional<Notice> QuestionForFolderWithContents(const std::u16string& destination) const;

    const RunRequest& request_;
    const FolderRequest& folder_;
    const RedirectServices& services_;
};

FolderPlan TargetCheck::Run() {
    MovePlan plan{.request = &folder_};
    if (std::optional<Refusal> refusal = Check(plan)) {
        return {.request = &folder_, .refusal = std::move(*refusal)};
    }
    return {.request = &folder_, .move = std::move(plan)};
}

std::optional<Refusal> TargetCheck::Check(MovePlan& plan) const {
    const std::u16string& destination = folder_.destination;
    if (!IsAbsolutePath(destination)) {
        return Invalid();
    }
    if (auto problem = DestinationNameProblem(destination, services_.codePage)) {
        return Refuse(*problem);
    }
    const std::optional<ResolvedPath> resolved = Resolve(services_.files, destination);
    if (!resolved) {
        return Invalid();
    }
    if (!folder_.location.empty() && SamePath(resolved->canonical, Canonical(folder_.location))) {
        return Refusal{Refusal::Kind::SamePath, {}};
    }
    plan.destination = resolved->acting;
    if (auto problem = LevelsProblem(plan)) {
        return problem->empty() ? Invalid() : Refuse(*problem);
    }
    if (auto problem = OtherFoldersProblem(resolved->canonical)) {
        return Refuse(*problem);
    }
    if (auto problem = CopyProblem(plan, resolved->canonical)) {
        return Refuse(*problem);
    }
    for (const RegistryTarget& target : folder_.folder->writeTargets) {
        auto saved = services_.registry.SaveValue(kHkeyCurrentUser, target.key, target.valueName);
        if (!saved) {
            return Refuse(Joined(
                {u"无法读取注册表值 ", target.FullName(), u" 原来的内容, 失败时将无法恢复"}));
        }
        plan.previousValues.push_back(std::move(*saved));
    }
    if (folder_.folder->deleteAsTemporary && plan.foldersToCreate.empty()) {
        plan.question = QuestionForFolderWithContents(plan.destination);
    }
    return std::nullopt;
}

// Walks the destination from its root: levels that exist must be folders, the rest are created.
// An empty reason stands for the invalid-path message (a drive or share that is not there).
std::optional<std::u16string> TargetCheck::LevelsProblem(MovePlan& plan) const {
    const std::vector<std::u16string> prefixes = PathPrefixes(plan.destination);
    if (prefixes.empty()) {
        return u"";
    }
    for (const std::u16string& prefix : prefixes) {
        if (!plan.foldersToCreate.empty()) {
            plan.foldersToCreate.push_back(prefix);
            continue;
        }
        switch (services_.files.KindOf(prefix)) {
            case PathKind::Folder:
                break;
            case PathKind::Missing:
                if (&prefix == &prefixes.front()) {
                    return u"";
                }
                plan.foldersToCreate.push_back(prefix);
                break;
            case PathKind::File:
                return &prefix == &prefixes.back()
                           ? u"目标是一个文件, 不是文件夹"
                           : Joined({u"路径中的 ", ShownPath(prefix), u" 是一个文件, 不是文件夹"});
            case PathKind::Unreadable:
                return Joined({u"无法读取 ", ShownPath(prefix)});
        }
    }
    return std::nullopt;
}

// No folder may end up inside another's, or where a temporary folder's cleanup would delete it.
std::optional<std::u16string> TargetCheck::OtherFoldersProblem(
    const std::u16string& destination) const {
    for (const FolderRequest& other : request_.folders) {
        if (&other == &folder_) {
            continue;
        }
        const std::u16string_view name = other.folder->folder;
        if (IsAbsolutePath(other.location)) {
            const std::u16string location = Canonical(other.location);
            if (IsSameOrInside(location, destination)) {
                return SamePath(location, destination) ? Joined({u"目标就是", name, u"现在的位置"})
                                                       : Joined({u"目标包含", name, u"现在的位置 (",
                                                                 ShownPath(location), u")"});
            }
        }
        if (other.selected && IsAbsolutePath(other.destination)) {
            const std::u16string otherDestination = Canonical(other.destination);
            if (IsSameOrInside(otherDestination, destination)) {
                return SamePath(otherDestination, destination)
                           ? Joined({u"目标也是", name, u"的新位置"})
                           : Joined({u"目标包含", name, u"的新位置 (", ShownPath(otherDestination),
                                     u")"});
            }
        }
    }
    for (const FolderRequest& temporary : request_.folders) {
        if (!temporary.folder->deleteAsTemporary) {
            continue;
        }
        const std::u16string_view name = temporary.folder->folder;
        const auto inside = [&](const std::u16string& place) {
            return IsAbsolutePath(place) && IsSameOrInside(destination, Canonical(place));
        };
        if (inside(temporary.location)) {
            return Joined({u"目标在", name, u"的位置 (", ShownPath(temporary.location),
                           u") 之中, 删除临时文件时会被一起删除"});
        }
        if (&temporary != &folder_ && temporary.selected && inside(temporary.destination)) {
            return Joined({u"目标在", name, u"的新位置 (", ShownPath(temporary.destination),
                           u") 之中, 删除临时文件时会被一起删除"});
        }
    }
    return std::nullopt;
}

// With the copy option, the old contents must be known and copyable into the destination.
std::optional<std::u16string> TargetCheck::CopyProblem(MovePlan& plan,
                                                       const std::u16string& destination) const {
    if (!folder_.folder->copyContents || !request_.copyContents) {
        return std::nullopt;
    }
    const std::u16string& old = folder_.location;
    if (old.empty()) {
        return u"原来的位置无法从注册表读出, 不能复制其中的内容";
    }
    // What the ANSI code page could not carry comes back as "?", which the shell takes for a
    // wildcard.
    if (old.find_first_of(u"?\uFFFD") != std::u16string::npos) {
        return Joined(
            {u"原来的位置 (", ShownPath(old), u") 不能从注册表完整读出, 不能复制其中的内容"});
    }
    const std::optional<ResolvedPath> source =
        IsAbsolutePath(old) ? Resolve(services_.files, old) : std::nullopt;
    if (!source) {
        return Joined({u"原来的位置 (", ShownPath(old), u") 不是 Windows 能够解析的完整路径"});
    }
    if (IsRootPath(source->canonical) || IsRootPath(source->acting)) {
        return Joined({u"原来的位置 (", ShownPath(source->canonical),
                       u") 是驱动器或共享的根目录, 不能整个复制"});
    }
    if (IsSameOrInside(destination, source->canonical)) {
        return Joined(
            {u"目标在原来的位置 (", ShownPath(source->canonical), u") 之中, 不能复制到它自己里面"});
    }
    switch (services_.files.KindOf(source->acting)) {
        case PathKind::Folder:
            plan.copy = true;
            plan.source = source->acting;
            return TreeProblem(plan);
        case PathKind::Missing:
            return std::nullopt;  // nothing there to copy
        case PathKind::File:
        case PathKind::Unreadable:
            break;
    }
    return Joined({u"无法读取原来的位置 (", ShownPath(source->acting), u")"});
}

// The shell's copy follows links, in the old folder and in the new one, and makes one file of two
// names that differ only in case: such a tree is not handed to it.
std::optional<std::u16string> TargetCheck::TreeProblem(const MovePlan& plan) const {
    const TreeListing source = services_.files.ListTree(plan.source);
    if (!source.Complete()) {
        return Joined({u"无法读取原来的位置中的 ", ShownEntry(plan.source, source.unreadable),
                       u", 不能确认可以完整复制"});
    }
    if (const TreeEntry* link = FirstLink(source.entries)) {
        return Joined({u"原来的位置中的 ", ShownEntry(plan.source, link->relativePath),
                       u" 是一个链接, 复制时会跟着它复制别处的内容"});
    }
    if (const auto twins = CaseTwins(source.entries, services_.files)) {
        return Joined({u"原来的位置中的 ", ShownEntry(plan.source, twins->first), u" 和 ",
                       ShownPath(twins->second), u" 只是大小写不同, 复制后只会剩下一个"});
    }
    if (!plan.foldersToCreate.empty()) {
        return std::nullopt;  // a new folder holds nothing yet
    }
    const TreeListing destination = services_.files.ListTree(plan.destination);
    if (!destination.Complete()) {
        return Joined({u"无法读取目标中的 ", ShownEntry(plan.destination, destination.unreadable),
                       u", 不能确认复制不会写到目标以外"});
    }
    if (const TreeEntry* link =
            LinkInTheWay(source.entries, destination.entries, services_.files)) {
        return Joined({u"目标中的 ", ShownEntry(plan.destination, link->relativePath),
                       u" 是一个链接, 复制时会通过它写到目标以外的地方"});
    }
    return std::nullopt;
}

// A temporary folder's contents are deleted by every later cleanup, so a place that already
// holds something is taken only when the user says so; No is the default.
std::optional<Notice> TargetCheck::QuestionForFolderWithContents(
    const std::u16string& destination) const {
    if (!services_.files.HasEntries(destination)) {
        return std::nullopt;
    }
    return Notice{Joined({Name(), u"的新位置\n", ShownPath(folder_.destination),
                          u"\n中已经有文件或文件夹。\n\n以后每次删除临时文件, 这个文件夹中的"
                          u"所有内容都会被删除。\n仍然要把",
                          Name(), u"转移到这里吗?"}),
                  kConfirmTitle, kMbYesNo | kMbIconQuestion | kMbDefaultButton2};
}

}  // namespace

std::optional<std::u16string> DestinationNameProblem(std::u16string_view destination,
                                                     const CodePage& codePage) {
    const std::string ansi = codePage.ToAnsi(destination);
    if (codePage.FromAnsi(ansi) != destination) {
        return u"路径中有系统代码页无法表示的字符";
    }
    if (ansi.size() >= kMaxPathBytes) {
        return u"路径太长: 在系统代码页中超过 259 个字节";
    }
    if (destination.find(u'%') != std::u16string_view::npos) {
        return u"路径中不能有 %, 写入注册表后它会被当作环境变量展开";
    }
    if (auto level = ReservedDeviceLevel(destination)) {
        return Joined({u"路径中的 \"", *level, u"\" 是 Windows 保留的设备名"});
    }
    if (auto level = LevelEndingInDotOrSpace(destination)) {
        return Joined({u"路径中的 \"", *level, u"\" 以点或空格结尾, Windows 会去掉它们"});
    }
    return std::nullopt;
}

FolderPlan CheckTarget(const RunRequest& request, const FolderRequest& folder,
                       const RedirectServices& services) {
    return TargetCheck(request, folder, services).Run();
}

std::optional<Notice> RefusalNotice(const FolderPlan& folder) {
    switch (folder.refusal.kind) {
        case Refusal::Kind::SamePath:
            return Notice{std::u16string(kSamePathText), kSamePathTitle, kMbIconInformation};
        case Refusal::Kind::InvalidPath:
            return Notice{std::u16string(kInvalidPathText), kInvalidPathTitle, kMbIconStop};
        case Refusal::Kind::Refused:
            return Notice{Joined({folder.request->folder->folder, u"不能转移到:\n",
                                  ShownPath(folder.request->destination), u"\n\n",
                                  folder.refusal.reason, u"。"}),
                          kRefusedTitle, kMbIconStop};
        case Refusal::Kind::Declined:
            break;
    }
    return std::nullopt;
}

}  // namespace tarnwick

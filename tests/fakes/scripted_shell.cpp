#include "fakes/scripted_shell.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace tarnwick::fake {

namespace fs = std::filesystem;

namespace {

// Raised inside a copy for anything that would leave the root; answered with kCopyRefused.
struct Refused {};

bool IsWithin(const fs::path& path, const fs::path& folder) {
    const auto [mismatch, unused] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return mismatch == folder.end();
}

// Every existing level from root down to target must be a real directory or file: a link could
// send the copy outside the root.
void RefuseLinks(const fs::path& root, const fs::path& target) {
    fs::path at = root;
    for (const fs::path& part : target.lexically_relative(root)) {
        at /= part;
        if (fs::is_symlink(fs::symlink_status(at))) {
            throw Refused{};
        }
    }
}

void CopyItem(const fs::path& from, const fs::path& to) {
    const fs::file_status status = fs::symlink_status(from);
    if (fs::is_symlink(fs::symlink_status(to))) {
        throw Refused{};
    }
    if (fs::is_directory(status)) {
        fs::create_directory(to);
        for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
            CopyItem(entry.path(), to / entry.path().filename());
        }
    } else if (fs::is_regular_file(status)) {
        // Replaced by removing first: MinGW's copy_file takes any two files on a drive for the
        // same file and refuses to overwrite.
        if (fs::is_regular_file(fs::symlink_status(to))) {
            fs::remove(to);
        }
        fs::copy_file(from, to);
    }
    // Links and special files are left behind: following a link could read outside the root.
}

}  // namespace

void ScriptedShell::ChooseFolder(std::string ansiPath) {
    if (ansiPath.size() > kMaxPath || ansiPath.find('\0') != std::string::npos) {
        throw std::invalid_argument("a scripted path has at most kMaxPath bytes and no NUL");
    }
    path_ = std::move(ansiPath);
    choice_ = Choice::Path;
}

void ScriptedShell::CopyUnder(const fs::path& root) {
    fs::create_directories(root);
    root_ = fs::canonical(root);
}

fs::path ScriptedShell::HostPath(std::u16string_view drivePath) const {
    if (!root_) {
        throw std::logic_error("no scratch root: call CopyUnder first");
    }
    const bool driveLetter = drivePath.size() >= 2 && drivePath[1] == u':' &&
                             ((drivePath[0] >= u'A' && drivePath[0] <= u'Z') ||
                              (drivePath[0] >= u'a' && drivePath[0] <= u'z'));
    if (!driveLetter || (drivePath.size() > 2 && drivePath[2] != u'\\')) {
        throw std::invalid_argument("not a drive path");
    }
    const char16_t drive[] = {static_cast<char16_t>(drivePath[0] & ~0x20), u'\0'};
    fs::path host = *root_ / std::u16string(drive);
    std::u16string_view rest = drivePath.substr(std::min<std::size_t>(3, drivePath.size()));
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(u'\\'), rest.size());
        const std::u16string_view part = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (part.empty()) {
            continue;  // doubled and trailing separators are ignored, as Windows does
        }
        if (part == u"." || part == u".." ||
            part.find_first_of(std::u16string_view(u"/:*?\0", 5)) != std::u16string_view::npos) {
            throw std::invalid_argument("unsafe or wildcard name in a drive path");
        }
        host /= std::u16string(part);
    }
    return host;
}

ItemIdList ScriptedShell::BrowseForFolder(BrowseInfo& info) {
    browses_.push_back(info);
    ThrowIfScripted(ShellStep::BrowseForFolder);
    if (choice_ == Choice::Cancel) {
        return 0;
    }
    lastChosen_ = nextList_;
    nextList_ += 0x10;
    return lastChosen_;
}

int ScriptedShell::GetPathFromIdList(ItemIdList list, char* path) {
    pathRequests_.push_back(list);
    ThrowIfScripted(ShellStep::GetPathFromIdList);
    if (choice_ != Choice::Path) {
        return 0;
    }
    std::memcpy(path, path_.data(), path_.size());
    path[path_.size()] = '\0';
    return 1;
}

void ScriptedShell::FreeIdList(ItemIdList list) {
    freed_.push_back(list);
    ThrowIfScripted(ShellStep::FreeIdList);
}

int ScriptedShell::FileOperation(tarnwick::FileOperation& operation) {
    operations_.push_back(operation);
    ThrowIfScripted(ShellStep::FileOperation);
    if (!root_) {
        if (effect_) {
            effect_();
        }
        operation.anyOperationsAborted = aborted_;
        return fileOperationResult_;
    }
    return CopyOnHost(operation);
}

void ScriptedShell::ThrowIfScripted(ShellStep step) const {
    if (throwAt_ == step) {
        throw std::runtime_error("scripted shell failure");
    }
}

std::vector<std::u16string> ScriptedShell::Entries(const std::string& list) const {
    // Trail bytes of code page 936 are never zero, so splitting the bytes at NULs is safe.
    std::vector<std::u16string> entries;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = list.find('\0', at);
        if (end == std::string::npos) {
            throw std::invalid_argument("shell list without its closing NUL");
        }
        if (end == at) {
            return entries;
        }
        entries.push_back(codePage_.FromAnsi(std::string_view(list).substr(at, end - at)));
        at = end + 1;
    }
}

int ScriptedShell::CopyOnHost(const tarnwick::FileOperation& operation) const {
    // What the fake cannot do is a fault in the test, not an answer of the shell.
    if (operation.function != kFoCopy) {
        throw std::invalid_argument("the scripted shell carries out copies only");
    }
    const std::vector<std::u16string> destinations = Entries(operation.to);
    if (destinations.size() != 1) {
        throw std::invalid_argument("the scripted shell copies into exactly one folder");
    }
    std::vector<std::u16string> folders;
    for (const std::u16string& source : Entries(operation.from)) {
        const std::size_t slash = source.rfind(u'\\');
        const std::u16string_view pattern =
            std::u16string_view(source).substr(slash == std::u16string::npos ? 0 : slash + 1);
        if (slash == std::u16string::npos || (pattern != u"*.*" && pattern != u"*")) {
            throw std::invalid_argument("the scripted shell copies only \"folder\\*.*\"");
        }
        folders.push_back(source.substr(0, slash));
    }

    try {
        const fs::path destination = HostPath(destinations.front());
        for (const std::u16string& source : folders) {
            const fs::path folder = HostPath(source);
            if (IsWithin(destination, folder)) {
                return kCopyRefused;  // a folder copied into itself would never end
            }
            RefuseLinks(*root_, folder);
            RefuseLinks(*root_, destination);
            if (!fs::is_directory(fs::symlink_status(folder))) {
                return kSourceMissing;
            }
            fs::create_directories(destination);
            for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
                CopyItem(entry.path(), destination / entry.path().filename());
            }
        }
        return 0;
    } catch (const Refused&) {
        return kCopyRefused;
    } catch (const std::invalid_argument&) {
        return kCopyRefused;  // a name HostPath will not map, such as ".."
    } catch (const std::exception&) {
        return kCopyFailed;
    }
}

}  // namespace tarnwick::fake

#include "platform/mod_reg_shell.h"

#include <algorithm>
#include <utility>

namespace tarnwick {

namespace {

// Frees the picker's item list exactly once: explicitly on the way out, so a failure there is
// seen, or on unwinding, where a second failure must not escape a destructor.
class ScopedIdList {
  public:
    ScopedIdList(ShellApi& shell, ItemIdList list) : shell_(shell), list_(list) {}
    ~ScopedIdList() {
        try {
            Free();
        } catch (...) {
        }
    }
    ScopedIdList(const ScopedIdList&) = delete;
    ScopedIdList& operator=(const ScopedIdList&) = delete;

    ItemIdList get() const { return list_; }
    void Free() {
        if (list_ != 0) {
            // Cleared first: a free that fails is not tried again.
            shell_.FreeIdList(std::exchange(list_, 0));
        }
    }

  private:
    ShellApi& shell_;
    ItemIdList list_;
};

// A shell list of one entry: the entry, its terminator and the list's closing terminator, plus
// the terminator every ANSI string carries.
std::string SingleEntryList(const CodePage& codePage, std::u16string_view text) {
    std::u16string entry(text);
    entry.append(2, u'\0');
    std::string list = codePage.ToAnsi(entry);
    list.push_back('\0');
    return list;
}

}  // namespace

std::u16string ModRegShell::BrowseForFolderPath(WindowHandle owner, std::u16string_view title) {
    try {
        BrowseInfo info{.owner = owner,
                        .root = 0,
                        .displayNameGiven = false,
                        .title = codePage_.ToAnsi(title),
                        .flags = kBifReturnOnlyFsDirs,
                        .callbackGiven = false,
                        .lParam = 0,
                        .image = 0};
        const ItemIdList chosen = shell_.BrowseForFolder(info);
        if (chosen == 0) {
            return {};
        }
        ScopedIdList list(shell_, chosen);

        std::string buffer(kMaxPath + 1, '\0');
        shell_.GetPathFromIdList(list.get(), buffer.data());
        std::u16string path = codePage_.FromAnsi(std::string_view(buffer.data(), kMaxPath));
        list.Free();
        // A folder without a file-system path leaves the buffer zero and so gives empty text.
        path.resize(std::min(path.find(u'\0'), path.size()));
        return path;
    } catch (...) {
        return {};
    }
}

ShellCopyResult ModRegShell::ShellCopyFiles(std::u16string_view source,
                                            std::u16string_view destination) {
    FileOpStruct operation{.window = 0,
                           .function = kFoCopy,
                           .from = SingleEntryList(codePage_, source),
                           .to = SingleEntryList(codePage_, destination),
                           .flags = kFofNoConfirmation | kFofAllowUndo,
                           .anyOperationsAborted = false,
                           .nameMappings = 0,
                           .progressTitleGiven = false};
    const int result = shell_.FileOperation(operation);
    return {result, operation.anyOperationsAborted};
}

}  // namespace tarnwick

// A shell that answers the picker from a script, records every call, and can carry out
// "folder\*.*" copies inside a scratch directory tree on the host.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/shell_api.h"

namespace tarnwick::fake {

enum class ShellStep { BrowseForFolder, GetPathFromIdList, FreeIdList, FileOperation };

class ScriptedShell : public ShellApi {
  public:
    // What a copy under the scratch root answers when it cannot be done (Windows' values).
    static constexpr int kSourceMissing = 2;   // ERROR_FILE_NOT_FOUND
    static constexpr int kCopyRefused = 0x7C;  // DE_INVALIDFILES: leaves the root or is unsafe
    static constexpr int kCopyFailed = 0x402;  // the host file system failed part way

    // codePage decodes the ANSI lists of a copy into host names.
    explicit ScriptedShell(const CodePage& codePage) : codePage_(codePage) {}

    // The picker's next answers: until told otherwise the user cancels.
    void CancelPicker() { choice_ = Choice::Cancel; }
    // ansiPath: the path's bytes, at most kMaxPath of them (kMaxPath fills the whole buffer).
    void ChooseFolder(std::string ansiPath);
    // A folder outside the file system: GetPathFromIdList writes nothing and answers 0.
    void ChooseFolderWithoutPath() { choice_ = Choice::NoPath; }
    // From now on that call records itself and then raises std::runtime_error.
    void ThrowAt(ShellStep step) { throwAt_ = step; }

    // FileOperation's answer while no scratch root is set.
    void AnswerFileOperation(int result, bool aborted) {
        fileOperationResult_ = result;
        aborted_ = aborted;
    }
    // What a copy does while no scratch root is set, such as files appearing in a test's
    // in-memory file system.
    void WhenCopying(std::function<void()> effect) { effect_ = std::move(effect); }
    // From now on an FO_COPY of "X:\folder\*.*" (or "\*") into "Y:\folder" is carried out under
    // root (created if missing), which stands for every drive: "X:\a\b" is root/X/a/b.
    // Symbolic links are never followed, so nothing outside root is read or written.
    void CopyUnder(const std::filesystem::path& root);
    // The host path standing for a drive path; raises std::invalid_argument for a path that is
    // not "X:\..." or has a "..", "." or host separator in it.
    std::filesystem::path HostPath(std::u16string_view drivePath) const;

    // Copies of what each call was given, in call order.
    const std::vector<BrowseInfo>& Browses() const { return browses_; }
    const std::vector<ItemIdList>& PathRequests() const { return pathRequests_; }
    const std::vector<ItemIdList>& Freed() const { return freed_; }
    const std::vector<tarnwick::FileOperation>& FileOperations() const { return operations_; }
    // The list the picker last handed out, 0 if none.
    ItemIdList LastChosen() const { return lastChosen_; }

    ItemIdList BrowseForFolder(BrowseInfo& info) override;
    int GetPathFromIdList(ItemIdList list, char* path) override;
    void FreeIdList(ItemIdList list) override;
    int FileOperation(tarnwick::FileOperation& operation) override;

  private:
    enum class Choice { Cancel, Path, NoPath };

    void ThrowIfScripted(ShellStep step) const;
    int CopyOnHost(const tarnwick::FileOperation& operation) const;
    std::vector<std::u16string> Entries(const std::string& list) const;

    const CodePage& codePage_;
    Choice choice_ = Choice::Cancel;
    std::string path_;
    std::optional<ShellStep> throwAt_;
    int fileOperationResult_ = 0;
    bool aborted_ = false;
    std::function<void()> effect_;
    std::optional<std::filesystem::path> root_;
    ItemIdList nextList_ = 0x00A10000;
    ItemIdList lastChosen_ = 0;

    std::vector<BrowseInfo> browses_;
    std::vector<ItemIdList> pathRequests_;
    std::vector<ItemIdList> freed_;
    std::vector<tarnwick::FileOperation> operations_;
};

}  // namespace tarnwick::fake

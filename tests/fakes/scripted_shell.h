// A shell that answers the picker from a script and records every call. A copy does nothing but
// answer as told (and run a test's effect); Wine tests cover the real copy.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell_api.h"

namespace tarnwick::fake {

enum class ShellStep { BrowseForFolder, GetPathFromIdList, FreeIdList, FileOperation };

class ScriptedShell : public ShellApi {
  public:
    // The picker's next answers: until told otherwise the user cancels.
    void CancelPicker() { choice_ = Choice::Cancel; }
    // ansiPath: the path's bytes, at most kMaxPath of them (kMaxPath fills the whole buffer).
    void ChooseFolder(std::string ansiPath);
    // A folder outside the file system: GetPathFromIdList writes nothing and answers 0.
    void ChooseFolderWithoutPath() { choice_ = Choice::NoPath; }
    // From now on that call records itself and then raises std::runtime_error.
    void ThrowAt(ShellStep step) { throwAt_ = step; }

    // What FileOperation answers.
    void AnswerFileOperation(int result, bool aborted) {
        fileOperationResult_ = result;
        aborted_ = aborted;
    }
    // What a copy does, such as files appearing in a test's in-memory file system.
    void WhenCopying(std::function<void()> effect) { effect_ = std::move(effect); }

    // Copies of what each call was given, in call order.
    const std::vector<BrowseInfo>& Browses() const { return browses_; }
    const std::vector<ItemIdList>& PathRequests() const { return pathRequests_; }
    const std::vector<ItemIdList>& Freed() const { return freed_; }
    const std::vector<FileOpStruct>& FileOperations() const { return operations_; }
    // The list the picker last handed out, 0 if none.
    ItemIdList LastChosen() const { return lastChosen_; }

    ItemIdList BrowseForFolder(BrowseInfo& info) override;
    int GetPathFromIdList(ItemIdList list, char* path) override;
    void FreeIdList(ItemIdList list) override;
    int FileOperation(FileOpStruct& operation) override;

  private:
    enum class Choice { Cancel, Path, NoPath };

    void ThrowIfScripted(ShellStep step) const;

    Choice choice_ = Choice::Cancel;
    std::string path_;
    std::optional<ShellStep> throwAt_;
    int fileOperationResult_ = 0;
    bool aborted_ = false;
    std::function<void()> effect_;
    ItemIdList nextList_ = 0x00A10000;
    ItemIdList lastChosen_ = 0;

    std::vector<BrowseInfo> browses_;
    std::vector<ItemIdList> pathRequests_;
    std::vector<ItemIdList> freed_;
    std::vector<FileOpStruct> operations_;
};

}  // namespace tarnwick::fake

#include "fakes/scripted_shell.h"

#include <cstring>
#include <stdexcept>

namespace tarnwick::fake {

void ScriptedShell::ChooseFolder(std::string ansiPath) {
    if (ansiPath.size() > kMaxPath || ansiPath.find('\0') != std::string::npos) {
        throw std::invalid_argument("a scripted path has at most kMaxPath bytes and no NUL");
    }
    path_ = std::move(ansiPath);
    choice_ = Choice::Path;
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

int ScriptedShell::FileOperation(FileOpStruct& operation) {
    operations_.push_back(operation);
    ThrowIfScripted(ShellStep::FileOperation);
    if (effect_) {
        effect_();
    }
    operation.anyOperationsAborted = aborted_;
    return fileOperationResult_;
}

void ScriptedShell::ThrowIfScripted(ShellStep step) const {
    if (throwAt_ == step) {
        throw std::runtime_error("scripted shell failure");
    }
}

}  // namespace tarnwick::fake

// Directory creation inside a scratch tree on the host: "X:\a\b\" becomes <root>/X/a/b and
// "\\server\share\a\" becomes <root>/UNC/server/share/a. Drives that are not listed do not exist.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/directory_api.h"

namespace tarnwick::fake {

class ScratchDirectories : public DirectoryApi {
  public:
    explicit ScratchDirectories(std::filesystem::path root, std::set<char> drives = {'C', 'D', 'E'})
        : root_(std::move(root)), drives_(std::move(drives)) {}

    int MakeSureDirectoryPathExists(const std::string& ansiPath) override;

    // Where an ANSI Windows path lies in the scratch tree; empty for a path it cannot map.
    std::filesystem::path HostPath(const std::string& ansiPath) const;

    std::vector<std::string> calls;

  private:
    std::filesystem::path root_;
    std::set<char> drives_;
};

}  // namespace tarnwick::fake

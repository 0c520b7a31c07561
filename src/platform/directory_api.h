// Creating a directory path with all its missing levels.
#pragma once

#include <string>

namespace tarnwick {

class DirectoryApi {
  public:
    virtual ~DirectoryApi() = default;
    // imagehlp's MakeSureDirectoryPathExists: creates every level up to the last "\" of the
    // ANSI path; 1 (TRUE) when the whole path exists afterwards.
    virtual int MakeSureDirectoryPathExists(const std::string& ansiPath) = 0;
};

}  // namespace tarnwick

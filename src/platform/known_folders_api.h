// The folders that Windows reports for the user and the machine, which no deletion may reach.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

struct NamedFolder {
    std::u16string name;  // as the user knows it, for messages
    std::u16string path;
};

class KnownFoldersApi {
  public:
    virtual ~KnownFoldersApi() = default;
    // Only the folders the system could name; the temporary folders' own entries are left out.
    virtual std::vector<NamedFolder> ProtectedFolders() = 0;
};

}  // namespace tarnwick

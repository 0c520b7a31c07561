#include "platform/fake/scratch_directories.h"

#include <cctype>
#include <system_error>

namespace tarnwick::fake {

std::filesystem::path ScratchDirectories::HostPath(const std::string& ansiPath) const {
    std::filesystem::path host;
    std::string rest;
    if (ansiPath.size() >= 3 && std::isalpha(static_cast<unsigned char>(ansiPath[0])) &&
        ansiPath[1] == ':' && ansiPath[2] == '\\') {
        const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(ansiPath[0])));
        if (!drives_.contains(drive)) {
            return {};
        }
        host = root_ / std::string(1, drive);
        rest = ansiPath.substr(3);
    } else if (ansiPath.rfind("\\\\", 0) == 0) {
        host = root_ / "UNC";
        rest = ansiPath.substr(2);
    } else {
        return {};
    }
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t end = std::min(rest.find('\\', start), rest.size());
        const std::string part = rest.substr(start, end - start);
        if (part == "..") {
            return {};  // never outside the scratch tree
        }
        if (!part.empty() && part != ".") {
            host /= part;
        }
        start = end + 1;
    }
    return host;
}

int ScratchDirectories::MakeSureDirectoryPathExists(const std::string& ansiPath) {
    calls.push_back(ansiPath);
    // Only the levels up to the last "\" are directories to make.
    const std::size_t last = ansiPath.rfind('\\');
    if (last == std::string::npos) {
        return 0;
    }
    const std::filesystem::path host = HostPath(ansiPath.substr(0, last + 1));
    if (host.empty() || ansiPath.find_first_of("<>|?*\"", 0) != std::string::npos) {
        return 0;
    }
    std::error_code error;
    std::filesystem::create_directories(host, error);
    return std::filesystem::is_directory(host, error) ? 1 : 0;
}

}  // namespace tarnwick::fake

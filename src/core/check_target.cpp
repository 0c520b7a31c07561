#include "core/check_target.h"

#include <string>

#include "core/path.h"

namespace tarnwick {

bool CheckTarget(std::u16string_view currentLocation, std::u16string_view destination,
                 const CheckTargetServices& services) {
    // A relative or empty destination would be created below the current directory and written
    // to the registry as it is.
    if (!IsAbsolutePath(destination)) {
        services.messages.Show(kInvalidPathText, kInvalidPathTitle, kMbIconStop);
        return false;
    }
    // The same folder in another spelling must not be copied onto itself.
    if (SamePath(destination, currentLocation)) {
        services.messages.Show(kSamePathText, kSamePathTitle, kMbIconInformation);
        return false;
    }
    std::u16string path(destination);
    if (path.back() != u'\\') {
        path += u'\\';
    }
    int created = 0;
    try {
        created = services.directories.MakeSureDirectoryPathExists(services.codePage.ToAnsi(path));
    } catch (const std::exception&) {
        created = 0;
    }
    if (created != 1) {
        services.messages.Show(kInvalidPathText, kInvalidPathTitle, kMbIconStop);
        return false;
    }
    return true;
}

}  // namespace tarnwick

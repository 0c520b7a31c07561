// The six folders the program moves, and everything that differs between them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/mod_reg.h"

namespace tarnwick {

inline constexpr std::u16string_view kEnvironmentKey = u"Environment";
inline constexpr std::u16string_view kShellFoldersKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::u16string_view kUserShellFoldersKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct RegistryTarget {
    std::u16string_view key;
    std::u16string_view valueName;

    // As the Registry Editor names it, for messages.
    std::u16string FullName() const;
};

struct ManagedFolder {
    std::u16string_view folder;       // a short name for messages
    std::u16string_view commandName;  // how the command line names it
    std::u16string_view readKey;
    std::u16string_view readValueName;
    std::array<RegistryTarget, 2> writeTargets;  // written in this order
    std::int32_t valueKind;  // the string kind SetKeyValue writes the location with
    std::u16string_view defaultDestination;
    std::u16string_view browseSuffix;
    bool deleteAsTemporary;
    bool copyContents;
};

inline constexpr std::size_t kManagedFolderCount = 6;

// In the order start-up fills the window and the redirect run handles the folders.
extern const std::array<ManagedFolder, kManagedFolderCount> kManagedFolders;

}  // namespace tarnwick

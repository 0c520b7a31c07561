#include "core/managed_folders.h"

#include "core/text.h"

namespace tarnwick {

namespace {

// Every shell folder but TEMP: read from the resolved key, written to the user key first.
constexpr ManagedFolder ShellFolder(std::u16string_view folder, std::u16string_view commandName,
                                    std::u16string_view valueName,
                                    std::u16string_view defaultDestination,
                                    std::u16string_view browseSuffix, bool deleteAsTemporary) {
    return ManagedFolder{
        .folder = folder,
        .commandName = commandName,
        .readKey = kShellFoldersKey,
        .readValueName = valueName,
        .writeTargets = {{{kUserShellFoldersKey, valueName}, {kShellFoldersKey, valueName}}},
        .valueKind = kStringKindExpandSz,
        .defaultDestination = defaultDestination,
        .browseSuffix = browseSuffix,
        .deleteAsTemporary = deleteAsTemporary,
        .copyContents = !deleteAsTemporary,
    };
}

}  // namespace

const std::array<ManagedFolder, kManagedFolderCount> kManagedFolders = {{
    {
        .folder = u"TEMP",
        .commandName = u"temp",
        .readKey = kEnvironmentKey,
        .readValueName = u"Temp",
        .writeTargets = {{{kEnvironmentKey, u"Tmp"}, {kEnvironmentKey, u"Temp"}}},
        .valueKind = kStringKindSz,
        .defaultDestination = u"D:\\Temp\\Temp",
        .browseSuffix = u"\\Temp",
        .deleteAsTemporary = true,
        .copyContents = false,
    },
    ShellFolder(u"Cookie", u"cookies", u"Cookies", u"D:\\Temp\\Cookies", u"\\Cookies", true),
    ShellFolder(u"历史文件夹", u"history", u"History", u"D:\\History", u"\\History", true),
    ShellFolder(u"IE缓存", u"cache", u"Cache", u"D:\\Temp\\Temporary Internet Files",
                u"\\Temporary Internet Files", true),
    ShellFolder(u"IE收藏夹", u"favorites", u"Favorites", u"D:\\Favorites", u"\\Favorites", false),
    ShellFolder(u"我的文档", u"documents", u"Personal", u"D:\\My Documents", u"\\My Documents",
                false),
}};

std::u16string RegistryTarget::FullName() const {
    return Joined({u"HKEY_CURRENT_USER\\", key, u"\\", valueName});
}

}  // namespace tarnwick

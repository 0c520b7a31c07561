// The six-folder table: order, registry locations, defaults and options.
#include <gtest/gtest.h>

#include "core/managed_folders.h"
#include "support/control_names.h"
#include "ui/folder_controls.h"
#include "ui/layout.h"

namespace tarnwick {
namespace {

struct ExpectedRow {
    const char* selectBox;
    const char* locationLabel;
    const char* destinationBox;
    const char* browseButton;
    std::u16string_view readKey;
    std::u16string_view readValueName;
    RegistryTarget first;
    RegistryTarget second;
    std::int32_t stringKind;
    std::u16string_view defaultDestination;
    std::u16string_view browseSuffix;
    bool deleteAsTemporary;
    bool copyContents;
};

TEST(ManagedFolders, TheSixRowsInTableOrder) {
    const auto shell = [](std::u16string_view name) {
        return std::pair{RegistryTarget{kUserShellFoldersKey, name},
                         RegistryTarget{kShellFoldersKey, name}};
    };
    const auto [cookiesUser, cookies] = shell(u"Cookies");
    const auto [historyUser, history] = shell(u"History");
    const auto [cacheUser, cache] = shell(u"Cache");
    const auto [favUser, fav] = shell(u"Favorites");
    const auto [docUser, doc] = shell(u"Personal");
    const std::array<ExpectedRow, 6> expected = {{
        {"ChkTemp",
         "LblTemp",
         "TxtTemp",
         "CmdTemp",
         u"Environment",
         u"Temp",
         {u"Environment", u"Tmp"},
         {u"Environment", u"Temp"},
         0,
         u"D:\\Temp\\Temp",
         u"\\Temp",
         true,
         false},
        {"ChkCook", "LblCook", "TxtCook", "CmdCook", kShellFoldersKey, u"Cookies", cookiesUser,
         cookies, 1, u"D:\\Temp\\Cookies", u"\\Cookies", true, false},
        {"ChkHistory", "LblHistory", "TxtHistory", "CmdHistory", kShellFoldersKey, u"History",
         historyUser, history, 1, u"D:\\History", u"\\History", true, false},
        {"ChkCache", "LblCache", "TxtCache", "CmdCache", kShellFoldersKey, u"Cache", cacheUser,
         cache, 1, u"D:\\Temp\\Temporary Internet Files", u"\\Temporary Internet Files", true,
         false},
        {"ChkFav", "LblFav", "TxtFav", "CmdFav", kShellFoldersKey, u"Favorites", favUser, fav, 1,
         u"D:\\Favorites", u"\\Favorites", false, true},
        {"ChkDoc", "LblDoc", "TxtDoc", "CmdDoc", kShellFoldersKey, u"Personal", docUser, doc, 1,
         u"D:\\My Documents", u"\\My Documents", false, true},
    }};
    for (int position = 1; position <= 6; ++position) {
        SCOPED_TRACE(position);
        const ManagedFolder& folder = kManagedFolders[static_cast<std::size_t>(position - 1)];
        const ExpectedRow& row = expected[static_cast<std::size_t>(position - 1)];
        EXPECT_EQ(ControlName(ControlsOf(folder).selectBox), row.selectBox);
        EXPECT_EQ(ControlName(ControlsOf(folder).locationLabel), row.locationLabel);
        EXPECT_EQ(ControlName(ControlsOf(folder).destinationBox), row.destinationBox);
        EXPECT_EQ(ControlName(ControlsOf(folder).browseButton), row.browseButton);
        EXPECT_EQ(folder.readKey, row.readKey);
        EXPECT_EQ(folder.readValueName, row.readValueName);
        EXPECT_EQ(folder.writeTargets[0].key, row.first.key);
        EXPECT_EQ(folder.writeTargets[0].valueName, row.first.valueName);
        EXPECT_EQ(folder.writeTargets[1].key, row.second.key);
        EXPECT_EQ(folder.writeTargets[1].valueName, row.second.valueName);
        EXPECT_EQ(folder.valueKind, row.stringKind);
        EXPECT_EQ(folder.defaultDestination, row.defaultDestination);
        EXPECT_EQ(folder.browseSuffix, row.browseSuffix);
        EXPECT_EQ(folder.deleteAsTemporary, row.deleteAsTemporary);
        EXPECT_EQ(folder.copyContents, row.copyContents);
    }
}

TEST(ManagedFolders, KeyPathsAreExact) {
    EXPECT_EQ(kEnvironmentKey, u"Environment");
    EXPECT_EQ(kShellFoldersKey,
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    EXPECT_EQ(kUserShellFoldersKey,
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
}

TEST(ManagedFolders, EachRecordNamesControlsOfTheRightKindInTheFrame) {
    for (const ManagedFolder& folder : kManagedFolders) {
        SCOPED_TRACE(ControlName(ControlsOf(folder).selectBox));
        EXPECT_EQ(LayoutOf(ControlsOf(folder).selectBox).kind, ControlKind::CheckBox);
        EXPECT_EQ(LayoutOf(ControlsOf(folder).locationLabel).kind, ControlKind::Label);
        EXPECT_EQ(LayoutOf(ControlsOf(folder).destinationBox).kind, ControlKind::TextBox);
        EXPECT_EQ(LayoutOf(ControlsOf(folder).browseButton).kind, ControlKind::CommandButton);
        for (const ControlId id :
             {ControlsOf(folder).selectBox, ControlsOf(folder).locationLabel,
              ControlsOf(folder).destinationBox, ControlsOf(folder).browseButton}) {
            EXPECT_EQ(LayoutOf(id).container, Container::Fram1);
        }
    }
}

}  // namespace
}  // namespace tarnwick

// The window's small events for real: select-all, and a ">>" picker cancelled by the user.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/managed_folders.h"
#include "tarnwick_process.h"
#include "ui/folder_controls.h"

namespace tarnwick::testing {
namespace {

TEST(Events, SelectAllChecksAndClearsTheSixFolders) {
    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::ChkHistory);
    Click(window, ControlId::ChkAll);
    EXPECT_TRUE(WaitFor([&] {
        for (const ManagedFolder& folder : kManagedFolders) {
            if (!Checked(window, ControlsOf(folder).selectBox)) {
                return false;
            }
        }
        return true;
    })) << "select-all left a folder unchecked";
    Click(window, ControlId::ChkAll);
    EXPECT_TRUE(WaitFor([&] {
        for (const ManagedFolder& folder : kManagedFolders) {
            if (Checked(window, ControlsOf(folder).selectBox)) {
                return false;
            }
        }
        return true;
    })) << "clearing select-all left a folder checked";
    EXPECT_TRUE(Checked(window, ControlId::ChkDelTmp));
    EXPECT_TRUE(Checked(window, ControlId::ChkCopy));
}

TEST(Events, CancellingThePickerEmptiesTheDestinationBox) {
    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(WindowText(Control(window, ControlId::TxtCache)).empty());
    Click(window, ControlId::CmdCache);
    HWND picker = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (picker = FindVisibleWindow(tarnwick.Id(), L"#32770")) != nullptr;
    })) << "the shell's folder picker did not open";
    EXPECT_EQ(GetWindow(picker, GW_OWNER), window) << "the picker is not owned by the main window";
    PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return WindowText(Control(window, ControlId::TxtCache)).empty(); }))
        << "the box still holds " << Utf8(WindowText(Control(window, ControlId::TxtCache)));
    EXPECT_FALSE(IsWindow(picker));
    EXPECT_EQ(Utf8(WindowText(Control(window, ControlId::TxtDoc))), "D:\\My Documents");
}

TEST(Events, TheVersionStandsRightOfItsCaption) {
    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    const HWND version = Control(window, ControlId::LblVer);
    EXPECT_EQ(Utf8(WindowText(version)), "2.0.0.3");
    RECT caption;
    RECT value;
    GetWindowRect(Control(window, ControlId::Label3), &caption);
    GetWindowRect(version, &value);
    EXPECT_GE(value.left, caption.right) << "the version overlaps \"版本:\"";
    EXPECT_EQ(value.top, caption.top);
}

}  // namespace
}  // namespace tarnwick::testing

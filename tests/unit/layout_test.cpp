// Invariants of the 41-control layout table.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/managed_folders.h"
#include "support/control_names.h"
#include "ui/folder_controls.h"
#include "ui/layout.h"

namespace tarnwick {
namespace {

TEST(Layout, FortyOneControlsWithUniqueNamesInIdOrder) {
    ASSERT_EQ(kLayout.size(), 41u);
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(kLayout[i].id), i) << "row " << i << " out of order";
        names.insert(ControlName(kLayout[i].id));
    }
    EXPECT_EQ(names.size(), 41u);
}

TEST(Layout, TabIndicesRunFromZeroToThirtyNineOnceEachAndTheImageHasNone) {
    std::vector<int> indices;
    for (const ControlLayout& control : kLayout) {
        if (control.id == ControlId::Image1) {
            EXPECT_FALSE(control.tabIndex.has_value());
        } else {
            ASSERT_TRUE(control.tabIndex.has_value()) << ControlName(control.id);
            indices.push_back(*control.tabIndex);
        }
    }
    std::sort(indices.begin(), indices.end());
    std::vector<int> expected(40);
    for (int i = 0; i < 40; ++i)
        expected[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(indices, expected);
    EXPECT_EQ(*LayoutOf(ControlId::CmdOK).tabIndex, 0);
    EXPECT_EQ(*LayoutOf(ControlId::ChkDelTmp).tabIndex, 1);
    EXPECT_EQ(*LayoutOf(ControlId::ChkHistory).tabIndex, 4);
}

TEST(Layout, EveryChildLiesInsideItsContainer) {
    const auto size = [](Container container) -> std::pair<int, int> {
        switch (container) {
            case Container::Picture1:
                return {LayoutOf(ControlId::Picture1).rect.width,
                        LayoutOf(ControlId::Picture1).rect.height};
            case Container::Fram1:
                return {LayoutOf(ControlId::Fram1).rect.width,
                        LayoutOf(ControlId::Fram1).rect.height};
            default:
                return {kClientWidthTwips, kClientHeightTwips};
        }
    };
    for (const ControlLayout& control : kLayout) {
        SCOPED_TRACE(ControlName(control.id));
        const auto [width, height] = size(control.container);
        // The banner is one pixel wider than the window's client area.
        const int slack = control.id == ControlId::Picture1 ? 15 : 0;
        EXPECT_GE(control.rect.left, 0);
        EXPECT_GE(control.rect.top, 0);
        EXPECT_LE(control.rect.left + control.rect.width, width + slack);
        EXPECT_LE(control.rect.top + control.rect.height, height);
    }
    const TwipRect bar = LayoutOf(ControlId::SBar1).rect;
    EXPECT_EQ(bar.top + bar.height, kClientHeightTwips);
    EXPECT_EQ(bar.width, kClientWidthTwips);
}

TEST(Layout, TheSixRowsLieTopToBottomInTableOrder) {
    int previousBottom = 0;
    for (const ManagedFolder& folder : kManagedFolders) {
        SCOPED_TRACE(ControlName(ControlsOf(folder).selectBox));
        const TwipRect select = LayoutOf(ControlsOf(folder).selectBox).rect;
        const TwipRect location = LayoutOf(ControlsOf(folder).locationLabel).rect;
        const TwipRect destination = LayoutOf(ControlsOf(folder).destinationBox).rect;
        const TwipRect browse = LayoutOf(ControlsOf(folder).browseButton).rect;
        EXPECT_GE(location.top, previousBottom);
        EXPECT_GT(location.left, select.left) << "the location stands right of the check box";
        EXPECT_GT(destination.top, location.top) << "the destination is on the line below";
        // The >> button follows the box at its right (the boxes overlap it by one pixel).
        EXPECT_GT(browse.left + browse.width, destination.left + destination.width);
        EXPECT_GT(browse.left, destination.left + destination.width - 30);
        EXPECT_EQ(LayoutOf(ControlsOf(folder).browseButton).caption, u">>");
        EXPECT_EQ(LayoutOf(ControlsOf(folder).locationLabel).textColor, kBlue);
        previousBottom = destination.top + destination.height;
    }
}

TEST(Layout, InitialValuesBeforeStartUp) {
    for (const ControlLayout& control : kLayout) {
        SCOPED_TRACE(ControlName(control.id));
        const bool checked = control.id == ControlId::ChkDelTmp || control.id == ControlId::ChkCopy;
        EXPECT_EQ(control.initialValue, checked ? 1 : 0);
    }
    for (const ManagedFolder& folder : kManagedFolders) {
        EXPECT_EQ(LayoutOf(ControlsOf(folder).locationLabel).caption, u"Label3");
        EXPECT_EQ(LayoutOf(ControlsOf(folder).destinationBox).caption, u" ");
    }
    EXPECT_EQ(LayoutOf(ControlId::LblVer).caption, u"LblVer");
}

}  // namespace
}  // namespace tarnwick

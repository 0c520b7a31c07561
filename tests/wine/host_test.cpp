// The Wine test host is what the program's home system is: ANSI code page 936, no Z: drive, and a
// machine-wide single-instance mutex that a second process sees.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/mutex_single_instance.h"

namespace tarnwick::testing {
namespace {

TEST(WineHost, AnsiCodePageIs936) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(WineHost, DriveZIsNotMapped) {
    EXPECT_EQ(GetDriveTypeW(L"Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR))
        << "the scratch prefix must not reach this machine's root";
}

TEST(WineHost, ScratchDiskSIsMapped) {
    EXPECT_EQ(GetDriveTypeW(L"S:\\"), static_cast<UINT>(DRIVE_FIXED))
        << "tests that need a drive root of their own use S:";
}

TEST(SingleInstance, TheSecondClaimSeesTheFirst) {
    win32::MutexSingleInstance first;
    win32::MutexSingleInstance second;
    EXPECT_FALSE(first.AnotherInstanceRunning());
    EXPECT_TRUE(second.AnotherInstanceRunning());
}

TEST(SingleInstance, TheClaimEndsWithItsHolder) {
    {
        win32::MutexSingleInstance first;
        ASSERT_FALSE(first.AnotherInstanceRunning());
    }
    win32::MutexSingleInstance later;
    EXPECT_FALSE(later.AnotherInstanceRunning());
}

}  // namespace
}  // namespace tarnwick::testing

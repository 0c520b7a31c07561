// The handle owner: put() for out-parameters, release() to hand ownership on, and a reset that
// leaves the caller's last error as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/unique_handle.h"

namespace tarnwick::testing {
namespace {

int closed = 0;

// Closes nothing, but clobbers the last error as many real closers do.
BOOL WINAPI CountAndClobber(HANDLE) {
    ++closed;
    SetLastError(ERROR_INVALID_HANDLE);
    return TRUE;
}

using Owner = win32::UniqueHandle<HANDLE, &CountAndClobber>;

HANDLE Fake(std::uintptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

TEST(UniqueHandle, ClosesOnceKeepsTheLastErrorAndHandsOwnershipOn) {
    closed = 0;
    {
        Owner owner(Fake(1));
        SetLastError(ERROR_ALREADY_EXISTS);
        owner.reset(Fake(2));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        EXPECT_EQ(closed, 1);

        HANDLE* out = owner.put();
        EXPECT_EQ(closed, 2) << "put() must close what was held";
        EXPECT_EQ(*out, nullptr);
        *out = Fake(3);
        EXPECT_EQ(owner.get(), Fake(3));

        Owner moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.release(), Fake(3));
        EXPECT_FALSE(moved);
    }
    EXPECT_EQ(closed, 2) << "a released or moved-from handle was closed";
}

}  // namespace
}  // namespace tarnwick::testing

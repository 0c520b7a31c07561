// One-line owners for Windows handles, and scope owners for borrowed device contexts and the
// GDI objects selected into them.
#pragma once

#include <windows.h>

#include <utility>

namespace tarnwick::win32 {

template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }

    // Closes the handle held, if any, and takes handle. The caller's last error survives: a
    // failing call's error code is often read after its result has been handed to an owner.
    void reset(T handle = Invalid) {
        if (handle_ != Invalid) {
            const DWORD lastError = GetLastError();
            Close(handle_);
            SetLastError(lastError);
        }
        handle_ = handle;
    }
    // For a function that hands out a handle through a pointer: whatever was held is closed.
    T* put() {
        reset();
        return &handle_;
    }
    // Gives up ownership without closing.
    [[nodiscard]] T release() { return std::exchange(handle_, Invalid); }

  private:
    T handle_ = Invalid;
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueFind = UniqueHandle<HANDLE, &::FindClose>;
using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueHkey = UniqueHandle<HKEY, &::RegCloseKey>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueMemoryDc = UniqueHandle<HDC, &::DeleteDC>;

// CoTaskMemFree, from ole32 as loaded by the one who handed the memory out (system_library.cpp).
void FreeCoTaskMem(void* memory);
// What Windows hands out for its caller to free with CoTaskMemFree: a known folder's path, an
// item list. Owned from the call that fills it: some fill it also when they fail.
template <typename Pointer>
using UniqueCoTaskMem = UniqueHandle<Pointer, &FreeCoTaskMem>;

// File and find handles report failure as INVALID_HANDLE_VALUE, which the owners hold as null.
inline HANDLE NullIfInvalid(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

// A window's (or, for null, the screen's) device context, released when the scope ends.
class ScopedWindowDc {
  public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context until the scope ends, when the previous one returns.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tarnwick::win32

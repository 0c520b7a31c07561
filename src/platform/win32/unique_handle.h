// One-line RAII wrappers for Windows handles.
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
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, Invalid));
        }
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    void reset(T handle = Invalid) {
        if (handle_ != Invalid) {
            Close(handle_);
        }
        handle_ = handle;
    }

  private:
    T handle_ = Invalid;
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueFind = UniqueHandle<HANDLE, &::FindClose>;
using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueHkey = UniqueHandle<HKEY, &::RegCloseKey>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;

// File and find handles report failure as INVALID_HANDLE_VALUE, which the owners hold as null.
inline HANDLE NullIfInvalid(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace tarnwick::win32

#include "ui/win32/logo.h"

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <shlwapi.h>

namespace tarnwick::win32 {

namespace {

void ReleaseComObject(IUnknown* object) {
    object->Release();
}

// Owns one reference to a COM object.
template <typename T>
using ComRef = UniqueHandle<T*, &ReleaseComObject>;

}  // namespace

UniqueBitmap LoadPictureResource(HMODULE module, const wchar_t* name) {
    const HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (resource == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) {
        return {};
    }
    // OLE reads pictures from streams only; the stream keeps its own copy of the bytes.
    const ComRef<IStream> stream(SHCreateMemStream(static_cast<const BYTE*>(bytes), size));
    if (!stream) {
        return {};
    }
    void* object = nullptr;
    // fRunmode FALSE: with TRUE, Wine's picture leaks its bitmap instead of deleting it on release.
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, __uuidof(IPicture),
                              &object)) ||
        object == nullptr) {
        return {};
    }
    const ComRef<IPicture> picture(static_cast<IPicture*>(object));
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture.get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture.get()->get_Handle(&handle)) || handle == 0) {
        return {};
    }
    // The picture owns its bitmap and deletes it on release: keep a copy of our own instead.
    const auto owned = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    return UniqueBitmap(
        static_cast<HBITMAP>(CopyImage(owned, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace tarnwick::win32

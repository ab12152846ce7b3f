#pragma once

#include <utility>

#include "toolkit/win32/win32.h"

namespace quevor::win32 {

// A move-only owner of one Windows handle; Release says how it is given back.
template <typename Handle, auto Release>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~Unique() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) Release(handle_);
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, Handle{}); }

private:
    Handle handle_{};
};

inline void destroyIcon(HICON icon) { DestroyIcon(icon); }
inline void destroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void destroyMenu(HMENU menu) { DestroyMenu(menu); }
inline void closeHandle(HANDLE handle) { CloseHandle(handle); }
inline void deleteObject(HGDIOBJ object) { DeleteObject(object); }

// An icon from the shell or CreateIconIndirect: ours to destroy. (Shared system icons from
// LoadIcon must never be put in one.)
using UniqueIcon = Unique<HICON, destroyIcon>;
using UniqueImageList = Unique<HIMAGELIST, destroyImageList>;
using UniqueMenu = Unique<HMENU, destroyMenu>;
using UniqueHandle = Unique<HANDLE, closeHandle>;
using UniqueBitmap = Unique<HBITMAP, deleteObject>;

}  // namespace quevor::win32

#pragma once

// Move-only owners of Windows handles: the general template, the kernel handle, a folder
// listing and a COM interface. The toolkit adds its own kinds (icons, menus, image lists) in
// toolkit/win32/handles.h.

#include <unknwn.h>

#include <utility>

#include "platform/win32/system.h"

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
    // Empties the owner for a system call that hands the new handle back through a pointer.
    Handle* put() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_{};
};

inline void closeHandle(HANDLE handle) { CloseHandle(handle); }

using UniqueHandle = Unique<HANDLE, closeHandle>;

// CreateFileW's handle: INVALID_HANDLE_VALUE, not null, says it failed; the owner is then empty.
inline UniqueHandle fileHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

inline void findClose(HANDLE search) { FindClose(search); }

// A folder listing from FindFirstFileExW, which fails with INVALID_HANDLE_VALUE as well.
using UniqueFind = Unique<HANDLE, findClose>;

inline UniqueFind findHandle(HANDLE search) {
    return UniqueFind(search == INVALID_HANDLE_VALUE ? nullptr : search);
}

inline void releaseCom(IUnknown* object) { object->Release(); }

// A COM interface pointer: each owner holds one reference, so copying one is not allowed.
template <typename Interface>
using UniqueCom = Unique<Interface*, releaseCom>;

}  // namespace quevor::win32

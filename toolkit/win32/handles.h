#pragma once

// Owners of the toolkit's own handles: icons, image lists, menus and bitmaps.

#include "platform/win32/handles.h"
#include "toolkit/win32/win32.h"

namespace quevor::win32 {

inline void destroyIcon(HICON icon) { DestroyIcon(icon); }
inline void destroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void destroyMenu(HMENU menu) { DestroyMenu(menu); }
inline void deleteObject(HGDIOBJ object) { DeleteObject(object); }

// An icon from the shell or CreateIconIndirect: ours to destroy. (Shared system icons from
// LoadIcon must never be put in one.)
using UniqueIcon = Unique<HICON, destroyIcon>;
using UniqueImageList = Unique<HIMAGELIST, destroyImageList>;
using UniqueMenu = Unique<HMENU, destroyMenu>;
using UniqueBitmap = Unique<HBITMAP, deleteObject>;

}  // namespace quevor::win32

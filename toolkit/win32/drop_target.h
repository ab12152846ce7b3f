#pragma once

// Files dragged onto the bar with OLE, as the shell and most programs drag them: while they are
// over the window it shows what letting them go would do, and a drop is handed to the bar once
// the drag has ended.

#include <ole2.h>

#include <string>
#include <vector>

#include "toolkit/win32/win32.h"

namespace quevor::win32 {

class MainWindow;

// The window's registered drop target. The window holds one reference and OLE another while it
// is registered; the window detaches it before it goes, so a late call finds no window.
class DropTarget final : public IDropTarget {
  public:
    explicit DropTarget(MainWindow& window) : window_(&window) {}
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;
    void detach() { window_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at,
                                   DWORD* effect) override;

  private:
    ~DropTarget() = default;  // only Release ends it
    // Marks the program button the files would land on and gives the effect to show.
    DWORD over(POINTL at, DWORD allowed);

    LONG references_ = 1;
    MainWindow* window_;
    std::vector<std::u16string> paths_;  // of the drag over the window; none: no files in it
    bool opensWith_ = false;             // let go on a program button, they open with it
};

}  // namespace quevor::win32

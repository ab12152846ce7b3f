#include "toolkit/win32/drop_target.h"

#include <utility>

#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

// Opening files with a program links them to it, adding a program copies it in; a source that
// does not offer the one meant gets the other, and one that offers neither cannot drop here.
DWORD effectFor(bool opensWith, DWORD allowed) {
    const DWORD meant = opensWith ? DROPEFFECT_LINK : DROPEFFECT_COPY;
    if (allowed & meant) return meant;
    return allowed & (DROPEFFECT_COPY | DROPEFFECT_LINK);
}

// The full paths of a shell file list (CF_HDROP), in its order.
std::vector<std::u16string> droppedFiles(HDROP drop) {
    static auto* const dragQueryFile =
        systemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    std::vector<std::u16string> paths;
    const UINT count = dragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = dragQueryFile(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        if (dragQueryFile(drop, i, path.data(), length + 1) != length) continue;
        path.resize(length);
        paths.push_back(narrowToU16(path));
    }
    return paths;
}

std::vector<std::u16string> filesOf(IDataObject* data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return {};
    static auto* const releaseStgMedium =
        systemFunction<decltype(ReleaseStgMedium)>(L"ole32.dll", "ReleaseStgMedium");
    // The medium is ours to release, whatever the list holds.
    struct Release {
        STGMEDIUM* medium;
        ~Release() { releaseStgMedium(medium); }
    } release{&medium};
    return droppedFiles(static_cast<HDROP>(medium.hGlobal));
}

}  // namespace

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDropTarget) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE DropTarget::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE DropTarget::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// Every call runs inside the window's event boundary: nothing is thrown back into OLE, and
// after a failure or the program's end nothing can be dropped.
HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD, POINTL at,
                                                DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    paths_.clear();
    opensWith_ = false;
    if (!window_ || !window_->events_) return S_OK;
    window_->boundary_.run([&] {
        // Asked once a drag: it may read the shortcuts among the files.
        paths_ = filesOf(data);
        opensWith_ = !paths_.empty() && window_->events_->dropOpensWithProgram(paths_);
        *effect = over(at, allowed);
    });
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    if (window_) window_->boundary_.run([&] { *effect = over(at, allowed); });
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
    if (window_) window_->toolbar().markDropTarget(std::nullopt);
    paths_.clear();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject*, DWORD, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    const DWORD allowed = std::exchange(*effect, DROPEFFECT_NONE);
    if (window_) {
        window_->boundary_.run([&] {
            *effect = over(at, allowed);
            if (*effect != DROPEFFECT_NONE)
                window_->queueDrop(std::move(paths_), window_->programButtonAt({at.x, at.y}));
        });
        window_->toolbar().markDropTarget(std::nullopt);
    }
    paths_.clear();
    return S_OK;
}

DWORD DropTarget::over(POINTL at, DWORD allowed) {
    if (paths_.empty()) return DROPEFFECT_NONE;
    const std::optional<std::u16string> key = window_->programButtonAt({at.x, at.y});
    const bool opensWith = key && opensWith_;
    window_->toolbar().markDropTarget(opensWith ? key : std::nullopt);
    return effectFor(opensWith, allowed);
}

void Win32Toolbar::markDropTarget(const std::optional<std::u16string>& key) {
    if (key == marked_) return;
    marked_ = key;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool marked = key == buttons_[i].key;
        SendMessageW(hwnd_, TB_MARKBUTTON, static_cast<WPARAM>(buttons_[i].command), marked);
        if (marked) SendMessageW(hwnd_, TB_SETHOTITEM, static_cast<WPARAM>(i), 0);
    }
    if (!key) SendMessageW(hwnd_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
}

void MainWindow::registerDropTarget() {
    if (dropTarget_ || !hwnd_) return;
    static auto* const oleInitialize =
        systemFunction<decltype(OleInitialize)>(L"ole32.dll", "OleInitialize");
    static auto* const registerDragDrop =
        systemFunction<decltype(RegisterDragDrop)>(L"ole32.dll", "RegisterDragDrop");
    revokeDragDrop_ = systemFunction<decltype(RevokeDragDrop)>(L"ole32.dll", "RevokeDragDrop");
    // OLE stays started on this thread until the program ends. Where it will not start, or the
    // window cannot be registered, the bar goes on without taking drops.
    if (FAILED(oleInitialize(nullptr))) return;
    UniqueCom<DropTarget> target(new DropTarget(*this));
    if (FAILED(registerDragDrop(hwnd_, target.get()))) {
        target.get()->detach();
        return;
    }
    dropTarget_ = std::move(target);
}

void MainWindow::revokeDropTarget() noexcept {
    if (!dropTarget_) return;
    revokeDragDrop_(hwnd_);
    dropTarget_.get()->detach();
    dropTarget_.reset();
}

std::optional<std::u16string> MainWindow::programButtonAt(POINT screen) const {
    POINT client = screen;
    ScreenToClient(hwnd_, &client);
    // The add button stands over the toolbar's strip: a point on it is not on the toolbar.
    if (ChildWindowFromPointEx(hwnd_, client, CWP_SKIPINVISIBLE) != toolbar_->hwnd()) {
        return std::nullopt;
    }
    MapWindowPoints(hwnd_, toolbar_->hwnd(), &client, 1);
    return toolbar_->keyAt(client);
}

void MainWindow::queueDrop(std::vector<std::u16string> paths, std::optional<std::u16string> key) {
    pendingDrops_.push_back({std::move(paths), std::move(key)});
    PostMessageW(hwnd_, kDeliverDrop, 0, 0);
}

}  // namespace quevor::win32

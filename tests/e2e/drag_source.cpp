// Drags files with OLE as the shell does: e2e_drag_source PATH... shows a small window; a left
// press on it starts DoDragDrop with the paths as a CF_HDROP list (the clipboard's OLE data
// object), offering a copy or a link. Exit code: the effect the target chose, 100 for no drop.
#include <ole2.h>
#include <shlobj.h>

#include <string>

struct Source final : IDropSource {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IDropSource ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // lives as long as the program
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
} source;
IDataObject* files = nullptr;
DWORD effect = 100;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN) return DefWindowProcW(hwnd, message, wParam, lParam);
    DWORD chosen = DROPEFFECT_NONE;
    if (DoDragDrop(files, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &chosen) == DRAGDROP_S_DROP)
        effect = chosen;
    PostQuitMessage(0);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    std::wstring list;  // the paths, each ended by a null, and one more
    for (int i = 1; i < argc; ++i) list += argv[i] + std::wstring(1, L'\0');
    const DROPFILES header{sizeof(DROPFILES), {}, FALSE, TRUE};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof header + (list.size() + 1) * 2);
    auto* bytes = static_cast<char*>(GlobalLock(block));
    memcpy(bytes, &header, sizeof header);
    memcpy(bytes + sizeof header, list.c_str(), (list.size() + 1) * 2);
    GlobalUnlock(block);
    if (OleInitialize(nullptr) < 0 || !OpenClipboard(nullptr) || !EmptyClipboard() ||
        !SetClipboardData(CF_HDROP, block) || !CloseClipboard() || OleGetClipboard(&files) < 0)
        return 101;
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.lpszClassName = L"e2eDragSource";
    RegisterClassW(&wc);
    CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 600,
                    500, 60, 60, nullptr, nullptr, nullptr, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return static_cast<int>(effect);
}

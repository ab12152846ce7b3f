#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

std::size_t slot(MenuItem item) { return static_cast<std::size_t>(item); }
UINT_PTR commandOf(MenuItem item) { return slot(item) + 1; }

}  // namespace

const wchar_t* Win32Menu::caption(MenuItem item) {
    // UTF-16 either way: wchar_t is 16 bits on Windows.
    return reinterpret_cast<const wchar_t*>(menuItemInfo(item).caption);
}

bool Win32Menu::visible(MenuItem item) const { return visible_[slot(item)]; }

void Win32Menu::setVisible(MenuItem item, bool visible) { visible_[slot(item)] = visible; }

void Win32Menu::setChecked(MenuItem item, bool checked) { checked_[slot(item)] = checked; }

void Win32Menu::setCaption(MenuItem item, const std::u16string& text) {
    captions_[slot(item)] = wide(text);
}

Win32Menu::Win32Menu(const MainWindow& window) : owner_(window.hwnd()), window_(window) {}

UniqueMenu Win32Menu::build() const {
    // Built afresh from the visible items each time, as the hidden parent "menu" shows them.
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) fail(Message::cannotCreateMenu, {lastReason()});
    for (const MenuItemInfo& info : kMenuItems) {
        const MenuItem item = info.item;
        if (!visible(item)) continue;
        const BOOL ok =
            isSeparator(item)
                ? AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr)
                : AppendMenuW(menu.get(), MF_STRING | (checked_[slot(item)] ? MF_CHECKED : 0u),
                              commandOf(item),
                              captions_[slot(item)].empty() ? caption(item)
                                                            : captions_[slot(item)].c_str());
        if (!ok) fail(Message::cannotCreateMenu, {lastReason()});
    }
    return menu;
}

std::optional<MenuItem> Win32Menu::popup() {
    const UniqueMenu menu = build();
    // Where the pointer was when the mouse button went down (the message being handled), not
    // where it has moved since: the menu opens under the click.
    const DWORD position = GetMessagePos();
    return track(menu.get(),
                 POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))},
                 nullptr);
}

std::optional<MenuItem> Win32Menu::popupAt(const MenuAnchor& anchor,
                                           std::optional<MenuItem> selected) {
    const UniqueMenu menu = build();
    if (selected && visible(*selected)) {
        // The menu loop takes these Down keys before any of the user's: each selects the next
        // item, separators skipped.
        for (const MenuItemInfo& info : kMenuItems) {
            if (!visible(info.item) || isSeparator(info.item)) continue;
            PostMessageW(owner_, WM_KEYDOWN, VK_DOWN, 0);
            if (info.item == *selected) break;
        }
    }
    const RECT button = window_.anchorRect(anchor);
    return track(menu.get(), POINT{button.left, button.bottom}, &button);
}

std::optional<MenuItem> Win32Menu::track(HMENU menu, POINT at, const RECT* exclude) {
    // A pop-up menu of a window that is not in the foreground would not close when the user
    // clicks elsewhere.
    SetForegroundWindow(owner_);
    TPMPARAMS beside{sizeof beside, exclude ? *exclude : RECT{}};
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
        at.y, owner_, exclude ? &beside : nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    // Wine leaves the mouse captured by the owner after the menu, which would swallow the
    // next click on a control.
    if (GetCapture() == owner_) ReleaseCapture();
    for (const MenuItemInfo& info : kMenuItems) {
        const MenuItem item = info.item;
        if (chosen == commandOf(item)) return item;
    }
    return std::nullopt;
}

std::u16string Win32Dialog::showOpen(const std::u16string& filter) {
    // "description|pattern|..." becomes the double-NUL-terminated list the dialog takes.
    std::wstring filters = wide(filter);
    for (wchar_t& c : filters) {
        if (c == L'|') c = L'\0';
    }
    filters.push_back(L'\0');
    filters.push_back(L'\0');
    // Room for any path the dialog can return, long paths included.
    std::vector<wchar_t> name(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    // Only existing files: a typed name that names nothing could never get an icon. The
    // program's working folder is left alone.
    ofn.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    static auto* const getOpenFileName =
        systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static auto* const commDlgExtendedError =
        systemFunction<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    if (getOpenFileName(&ofn)) return narrowToU16(name.data());
    const DWORD error = commDlgExtendedError();
    if (error != 0) fail(Message::cannotOpenDialog, {ascii(std::to_string(error))});
    return u"";  // cancelled
}

}  // namespace quevor::win32

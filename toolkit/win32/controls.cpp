#include <algorithm>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "toolkit/geometry.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

constexpr float kToolbarWidth = geometry::twips(geometry::kToolbarWidth);
constexpr float kToolbarHeight = geometry::twips(geometry::kToolbarHeight);
constexpr float kButtonPitch = geometry::twips(geometry::kButtonPitch);
constexpr float kAddButtonSize = geometry::twips(geometry::kAddButtonSize);
constexpr int kPictureSize = 35;  // the add button's picture at 96 DPI, in pixels

// Puts the icon into the list at `reused`, or at the end for -1; gives its index, or -1.
// An icon of the list's own size with a 32-bit colour image goes in as its two bitmaps, which
// draws exactly as the icon itself. ImageList_ReplaceIcon would first copy the icon (looking
// for it again in its resources), and that copy costs more than the rest of a program's button
// at start-up; it stays for any other icon, whose size or colours it adjusts.
int storeIcon(HIMAGELIST images, int reused, HICON icon, int size) {
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        const UniqueBitmap color(info.hbmColor);
        const UniqueBitmap mask(info.hbmMask);
        BITMAP bitmap{};
        if (color && GetObjectW(color.get(), sizeof bitmap, &bitmap) == sizeof bitmap &&
            bitmap.bmWidth == size && bitmap.bmHeight == size && bitmap.bmBitsPixel == 32) {
            if (reused < 0) return ImageList_Add(images, color.get(), mask.get());
            return ImageList_Replace(images, reused, color.get(), mask.get()) ? reused : -1;
        }
    }
    return ImageList_ReplaceIcon(images, reused, icon);
}

}  // namespace

Win32Toolbar::Win32Toolbar(HWND parent, const Units& units, int controlId) {
    hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | CCS_NORESIZE |
                                CCS_NOPARENTALIGN | CCS_NODIVIDER,
                            0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) fail(Message::cannotCreateToolbar, {lastReason()});
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Mixed buttons draw only the texts of buttons that ask for it, which the bar's do not:
    // their texts name them (see setToolTip). Before the sizes, which setting it measures anew.
    SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    layOut(units);
    SendMessageW(hwnd_, TB_SETINDENT, 0, 0);
}

void Win32Toolbar::layOut(const Units& units) {
    // The shell's icons at the large-icon size of the window's DPI, with their alpha; each icon
    // kept goes in again at its index, drawn at that size.
    iconSize_ = iconSizeAt(units.dpi());
    UniqueImageList images(ImageList_Create(iconSize_, iconSize_, ILC_COLOR32 | ILC_MASK, 0, 16));
    if (!images) fail(Message::cannotCreateImages);
    for (const UniqueIcon& icon : icons_) {
        if (storeIcon(images.get(), -1, icon.get(), iconSize_) < 0) fail(Message::cannotStoreIcon);
    }
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);  // the old list goes now that the toolbar no longer draws it

    // One button every pitch: the icon plus padding fills it exactly.
    const int pitch = units.toPixels(kButtonPitch);
    const int height = units.toPixels(kToolbarHeight);
    const int padding = std::max(0, pitch - iconSize_);
    SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(iconSize_, iconSize_));
    SendMessageW(hwnd_, TB_SETPADDING, 0, MAKELPARAM(padding, std::max(0, height - iconSize_ - 2)));
    SendMessageW(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(pitch, std::max(pitch, iconSize_)));
    SetWindowPos(hwnd_, nullptr, 0, 0, units.toPixels(kToolbarWidth), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The tooltips' areas follow the buttons' new ones.
    for (int i = 0; toolTips_ && i < static_cast<int>(buttons_.size()); ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = hwnd_;
        tool.uId = static_cast<UINT_PTR>(buttons_[static_cast<std::size_t>(i)].command);
        SendMessageW(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(toolTips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Win32Toolbar::attachToolTips() {
    if (toolTips_) return;
    // The bar is hovered while the user works in another program: its tooltips show whether
    // or not it is the active window.
    toolTips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!toolTips_) return;  // the buttons still work; they show no names
    SendMessageW(hwnd_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(toolTips_), 0);
    // The toolbar registers the buttons added from now on, moves their areas with them and
    // drops those removed; the ones already there are registered here, as it would have: by
    // command id, the text asked for when shown (TTN_GETDISPINFO, answered by the main window).
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = hwnd_;
        tool.uId = static_cast<UINT_PTR>(buttons_[static_cast<std::size_t>(i)].command);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Win32Toolbar::checkIndex(int16 index, std::size_t count, const char* what) const {
    if (index < 1 || static_cast<std::size_t>(index) > count + 1) {
        fail(Message::internalError, {ascii(std::string(what) + " " + std::to_string(index))});
    }
}

void Win32Toolbar::addImage(int16 index, const std::u16string& key, const Icon& icon) {
    checkIndex(index, imageSlots_.size(), "image");
    if (imageSlots_.count(key)) fail(Message::internalError, {u"image " + key});
    const auto* native = dynamic_cast<const Win32Icon*>(&icon);
    if (!native || !native->get()) fail(Message::internalError, {u"icon"});
    // The image list keeps its own copy, and the toolbar one of the icon, which it draws again
    // when the DPI changes; the caller destroys the shell's icon afterwards. A removed button's
    // image is overwritten rather than the list growing.
    UniqueIcon kept(CopyIcon(native->get()));
    if (!kept) fail(Message::cannotStoreIcon);
    const int reused = freeImageSlots_.empty() ? -1 : freeImageSlots_.back();
    const int slot = storeIcon(images_.get(), reused, native->get(), iconSize_);
    if (slot < 0) fail(Message::cannotStoreIcon);
    if (reused >= 0) freeImageSlots_.pop_back();
    imageSlots_[key] = slot;
    if (static_cast<std::size_t>(slot) >= icons_.size())
        icons_.resize(static_cast<std::size_t>(slot) + 1u);
    icons_[static_cast<std::size_t>(slot)] = std::move(kept);
}

void Win32Toolbar::setImage(const std::u16string& key, const Icon& icon) {
    const auto image = imageSlots_.find(key);
    if (image == imageSlots_.end()) fail(Message::internalError, {u"image " + key});
    const auto* native = dynamic_cast<const Win32Icon*>(&icon);
    if (!native || !native->get()) fail(Message::internalError, {u"icon"});
    UniqueIcon kept(CopyIcon(native->get()));  // drawn again at another DPI
    if (!kept || storeIcon(images_.get(), image->second, native->get(), iconSize_) < 0) {
        fail(Message::cannotStoreIcon);
    }
    icons_[static_cast<std::size_t>(image->second)] = std::move(kept);
    InvalidateRect(hwnd_, nullptr, TRUE);  // the buttons showing it draw it anew
}

void Win32Toolbar::addButton(int16 index, const std::u16string& key,
                             const std::u16string& imageKey) {
    checkIndex(index, buttons_.size(), "button");
    for (const ButtonInfo& b : buttons_) {
        if (b.key == key) fail(Message::internalError, {u"button " + key});
    }
    const auto image = imageSlots_.find(imageKey);
    if (image == imageSlots_.end()) fail(Message::internalError, {u"image " + imageKey});
    TBBUTTON button{};
    button.iBitmap = image->second;
    button.idCommand = nextCommand_;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    button.iString = -1;  // no caption: only the icon shows
    if (!SendMessageW(hwnd_, TB_INSERTBUTTONW, static_cast<WPARAM>(index - 1),
                      reinterpret_cast<LPARAM>(&button))) {
        fail(Message::cannotChangeButtons, {lastReason()});
    }
    buttons_.insert(buttons_.begin() + (index - 1), ButtonInfo{nextCommand_, key, {}});
    ++nextCommand_;
    followFocus();
}

void Win32Toolbar::setToolTip(int16 index, const std::u16string& text) {
    if (index < 1 || static_cast<std::size_t>(index) > buttons_.size()) {
        fail(Message::internalError, {ascii("button " + std::to_string(index))});
    }
    buttons_[static_cast<std::size_t>(index - 1)].toolTip = wide(text);
    // The same text is the button's own: its name for assistive technology.
    std::wstring name = wide(text);
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = name.data();
    if (!SendMessageW(hwnd_, TB_SETBUTTONINFOW, static_cast<WPARAM>(index - 1),
                      reinterpret_cast<LPARAM>(&info))) {
        fail(Message::cannotChangeButtons, {lastReason()});
    }
}

void Win32Toolbar::removeButton(int16 index) {
    if (index < 1 || static_cast<std::size_t>(index) > buttons_.size()) {
        fail(Message::internalError, {ascii("button " + std::to_string(index))});
    }
    if (!SendMessageW(hwnd_, TB_DELETEBUTTON, static_cast<WPARAM>(index - 1), 0)) {
        fail(Message::cannotChangeButtons, {lastReason()});
    }
    const auto button = buttons_.begin() + (index - 1);
    // The button shows the image of its own key. Removing a native image would renumber the
    // others under the remaining buttons, so it stays until the next icon added overwrites it.
    const auto image = imageSlots_.find(button->key);
    if (image != imageSlots_.end()) {
        freeImageSlots_.push_back(image->second);
        imageSlots_.erase(image);
    }
    if (button->key == focusedKey_) focusedKey_.clear();
    buttons_.erase(button);
    followFocus();
}

void Win32Toolbar::moveButton(int16 from, int16 to) {
    const std::size_t count = buttons_.size();
    if (from < 1 || static_cast<std::size_t>(from) > count || to < 1 ||
        static_cast<std::size_t>(to) > count) {
        fail(Message::internalError,
             {ascii("button " + std::to_string(from) + " to " + std::to_string(to))});
    }
    if (!SendMessageW(hwnd_, TB_MOVEBUTTON, static_cast<WPARAM>(from - 1),
                      static_cast<LPARAM>(to - 1))) {
        fail(Message::cannotChangeButtons, {lastReason()});
    }
    const ButtonInfo moved = buttons_[static_cast<std::size_t>(from - 1)];
    buttons_.erase(buttons_.begin() + (from - 1));
    buttons_.insert(buttons_.begin() + (to - 1), moved);
    followFocus();
}

void Win32Toolbar::clearButtons() {
    while (SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0) > 0) {
        if (!SendMessageW(hwnd_, TB_DELETEBUTTON, 0, 0))
            fail(Message::cannotChangeButtons, {lastReason()});
    }
    buttons_.clear();
    focusedKey_.clear();
    announcedIndex_ = -1;
}

int Win32Toolbar::focusedIndex() const {
    if (focusedKey_.empty()) return -1;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].key == focusedKey_) return static_cast<int>(i);
    }
    return -1;
}

void Win32Toolbar::showFocus(const std::u16string& key) {
    focusedKey_ = key;
    announcedIndex_ = -2;  // shown anew, even where it was
    followFocus();
}

void Win32Toolbar::showFocusAgain() {
    if (hasFocus()) SendMessageW(hwnd_, TB_SETHOTITEM, static_cast<WPARAM>(focusedIndex()), 0);
}

void Win32Toolbar::followFocus() {
    const int index = focusedIndex();
    if (index == announcedIndex_) return;
    announcedIndex_ = index;
    // The keys come to the toolbar now (taking the focus, it makes its first button hot).
    if (index >= 0 && GetFocus() != hwnd_) SetFocus(hwnd_);
    SendMessageW(hwnd_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
    if (index < 0) return;
    // Assistive technology hears of the button: the hot item is no focus to it.
    NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, index + 1);
}

std::optional<std::u16string> Win32Toolbar::keyOfCommand(int command) const {
    for (const ButtonInfo& b : buttons_) {
        if (b.command == command) return b.key;
    }
    return std::nullopt;
}

const std::wstring* Win32Toolbar::toolTipOfCommand(int command) const {
    for (const ButtonInfo& b : buttons_) {
        if (b.command == command) return &b.toolTip;
    }
    return nullptr;
}

std::optional<std::u16string> Win32Toolbar::keyAt(POINT client) const {
    const auto index =
        static_cast<int>(SendMessageW(hwnd_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size()) return std::nullopt;
    return buttons_[static_cast<std::size_t>(index)].key;
}

int16 Win32Toolbar::positionAt(int x) const {
    const auto count = static_cast<int>(buttons_.size());
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageW(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        if (x < r.right) return static_cast<int16>(i + 1);
    }
    return static_cast<int16>(std::max(count, 1));
}

Win32AddButton::Win32AddButton(HWND parent, const Units& units, int controlId) : units_(units) {
    const int size = units.toPixels(kAddButtonSize);
    hwnd_ = CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_BITMAP, 0,
        0, size, size, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
        GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) fail(Message::cannotCreateAddButton, {lastReason()});
    showPicture();
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    // Its name for assistive technology; a picture button draws no text.
    SetWindowTextW(hwnd_, wide(messageText(Message::addButtonName)).c_str());
}

void Win32AddButton::showFocus(bool focused) {
    focused_ = focused;
    if (focused) {
        // The system hides focus rectangles until the keyboard is used; it has been now.
        SendMessageW(GetParent(hwnd_), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        SetFocus(hwnd_);
    } else if (GetFocus() == hwnd_) {
        SetFocus(GetParent(hwnd_));
    }
}

void Win32AddButton::showPicture() {
    // The program's 35 x 35 picture at 96 DPI; at any other its icon, the same drawing, at the
    // size that fills the button as much, over the button's face. The button stays blank when
    // the program was built without them.
    const int size = MulDiv(kPictureSize, units_.dpi(), 96);
    const HINSTANCE program = GetModuleHandleW(nullptr);
    UniqueBitmap picture;
    if (size == kPictureSize) {
        picture.reset(static_cast<HBITMAP>(LoadImageW(program, MAKEINTRESOURCEW(kAddPictureId),
                                                      IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    } else if (const UniqueIcon icon(static_cast<HICON>(
                   LoadImageW(program, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, size, size, 0)));
               icon) {
        HDC screen = GetDC(nullptr);
        picture.reset(CreateCompatibleBitmap(screen, size, size));
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        const HGDIOBJ old = SelectObject(dc, picture.get());
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawIconEx(dc, 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    if (!picture) return;
    SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    picture_ = std::move(picture);  // the old one goes now that the button no longer shows it
}

void Win32AddButton::layOut() {
    const float left = this->left();  // the twips it was placed at, before the pixels change
    const int size = units_.toPixels(kAddButtonSize);
    if (!SetWindowPos(hwnd_, nullptr, 0, 0, size, size,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        fail(Message::cannotPlaceWindow, {lastReason()});
    }
    setLeft(left);
    showPicture();
}

float Win32AddButton::left() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return left_.read(r.left, units_);
}

void Win32AddButton::setLeft(float twips) {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    const int pixels = units_.toPixels(twips);
    if (!SetWindowPos(hwnd_, nullptr, pixels, r.top, 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        fail(Message::cannotPlaceWindow, {lastReason()});
    }
    left_.wrote(twips, pixels);
}

float Win32AddButton::width() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    // The design width when the pixels still match it.
    const int pixels = r.right - r.left;
    return pixels == units_.toPixels(kAddButtonSize) ? kAddButtonSize : units_.toTwips(pixels);
}

}  // namespace quevor::win32

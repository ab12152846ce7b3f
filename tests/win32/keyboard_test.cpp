// The Win32 toolkit and the keyboard under Wine: the keys it hands the bar, the menu opened from
// the keyboard beside a button, the focus shown and announced, and the names assistive
// technology reads. What the bar does with the keys is proved on the simulated toolkit.

#include <tuple>

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::win32 {
namespace {

// Records the keys; the menu key opens the menu beside the anchor with the item selected.
class KeysBar final : public QuietBar {
  public:
    explicit KeysBar(Toolkit& kit) : kit_(kit) {}
    bool onKey(Key key, int16 shift) override {
        keys.emplace_back(key, shift);
        if (key == Key::menu) kit_.menu.popupAt(anchor, selected);
        return true;
    }

    std::vector<std::pair<Key, int16>> keys;
    MenuAnchor anchor;
    std::optional<MenuItem> selected;

  private:
    Toolkit& kit_;
};

// What a pop-up menu showed: its window's rectangle and its highlighted item (-1 for none).
struct Shown {
    RECT rect{};
    int highlighted = -1;
};
Shown shownMenu;

// Runs inside the menu's loop: notes the menu and closes it.
void CALLBACK closeMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowExW(nullptr, nullptr, L"#32768", nullptr);
    while (popup && !IsWindowVisible(popup))
        popup = FindWindowExW(nullptr, popup, L"#32768", nullptr);
    if (!popup) return;
    KillTimer(nullptr, timer);
    GetWindowRect(popup, &shownMenu.rect);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            shownMenu.highlighted = i;
    }
    EndMenu();
}

using Announced = std::vector<std::tuple<HWND, LONG, LONG>>;
Announced announced;
void CALLBACK noteFocus(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (child != CHILDID_SELF) announced.emplace_back(hwnd, object, child);
}

class KeyboardTest : public Win32BarTest {
  protected:
    KeysBar events{kit};

    void SetUp() override {
        addPrograms(3);
        kit.addButton.setLeft(1755);
        bar.window().setEvents(&events);
        ShowWindow(window, SW_SHOWNORMAL);
    }
    void TearDown() override { bar.window().setEvents(nullptr); }
    LRESULT hot() { return SendMessageW(toolbarWindow, TB_GETHOTITEM, 0, 0); }
    // The toolbar as it draws itself, over a plain background.
    std::vector<DWORD> drawnToolbar() {
        RECT r{};
        GetClientRect(toolbarWindow, &r);
        return painted(r.right, r.bottom, GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
            SendMessageW(toolbarWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
    }
};

// Each program button's text is its tooltip, which names it, and nothing on screen changes for
// it; the add button and the window have their names.
TEST_F(KeyboardTest, ButtonsAreNamedAsTheirTooltipsWithoutAPixelChanged) {
    const LRESULT size = SendMessageW(toolbarWindow, TB_GETBUTTONSIZE, 0, 0);
    const RECT last = buttonRect(2);
    const std::vector<DWORD> before = drawnToolbar();
    const std::wstring names[] = {L"edit.exe", L"表計算.exe", L"a long program name.exe"};
    for (int16 i = 1; i <= 3; ++i)
        kit.toolbar.setToolTip(i, std::u16string(names[i - 1].begin(), names[i - 1].end()));
    for (int i = 0; i < 3; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbarWindow, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        wchar_t text[64] = {};
        SendMessageW(toolbarWindow, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(text, names[i]);
        EXPECT_EQ(*toolbar.toolTipOfCommand(button.idCommand), names[i]);
    }
    EXPECT_EQ(SendMessageW(toolbarWindow, TB_GETBUTTONSIZE, 0, 0), size);
    const RECT lastNow = buttonRect(2);
    EXPECT_TRUE(EqualRect(&lastNow, &last));
    EXPECT_EQ(drawnToolbar(), before);
    wchar_t name[64] = {};
    GetWindowTextW(add, name, 64);
    const std::u16string addName = messageText(Message::addButtonName);
    EXPECT_EQ(name, std::wstring(addName.begin(), addName.end()));
    GetWindowTextW(window, name, 64);
    EXPECT_STREQ(name, L"quevor");
}

// Keys pressed on the window or either control reach the bar with the modifiers held; others
// do not. The menu key and Shift+F10 come as WM_CONTEXTMENU without a point.
TEST_F(KeyboardTest, KeysReachTheBarFromTheWindowAndItsControls) {
    events.anchor = {true, 0};
    const struct {
        HWND to;
        UINT message;
        WPARAM key;
        BYTE held;  // a modifier's virtual key, 0 for none
        std::vector<std::pair<Key, int16>> seen;
    } rows[] = {
        {window, WM_CONTEXTMENU, 0, 0, {{Key::menu, 0}}},
        {window, WM_KEYDOWN, VK_LEFT, 0, {{Key::left, 0}}},
        {toolbarWindow, WM_KEYDOWN, VK_RIGHT, VK_CONTROL, {{Key::right, kControlHeld}}},
        {add, WM_KEYDOWN, VK_TAB, VK_SHIFT, {{Key::tab, kShiftHeld}}},
        {toolbarWindow, WM_KEYDOWN, VK_RETURN, 0, {{Key::enter, 0}}},
        {add, WM_KEYDOWN, VK_SPACE, 0, {{Key::space, 0}}},
        {window, WM_KEYDOWN, VK_DELETE, VK_MENU, {{Key::del, kAltHeld}}},
        {toolbarWindow, WM_KEYDOWN, '0', 0, {{Key::digit0, 0}}},
        {window, WM_KEYDOWN, VK_NUMPAD9, 0, {{Key::digit9, 0}}},
        {toolbarWindow, WM_KEYDOWN, VK_HOME, 0, {}},
        {window, WM_KEYDOWN, VK_F5, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        BYTE state[256] = {};
        if (row.held) state[row.held] = 0x80;
        SetKeyboardState(state);
        events.keys.clear();
        if (row.message == WM_CONTEXTMENU) SetTimer(nullptr, 0, 10, closeMenu);
        SendMessageW(row.to, row.message, row.key, row.message == WM_CONTEXTMENU ? -1 : 1);
        EXPECT_EQ(events.keys, row.seen);
    }
    // A context menu the mouse asked for (here away from the window) is the mouse's.
    events.keys.clear();
    RECT away{};
    GetWindowRect(window, &away);
    SendMessageW(window, WM_CONTEXTMENU, 0, MAKELPARAM(away.right + 100, away.bottom + 100));
    EXPECT_TRUE(events.keys.empty());
    BYTE none[256] = {};
    SetKeyboardState(none);
}

// A menu opened from the keyboard stands just below its button with the item asked for
// selected, so that Enter chooses it.
TEST_F(KeyboardTest, TheKeyboardsMenuOpensBelowTheButtonWithTheItemSelected) {
    kit.menu.setVisible(MenuItem::remove, true);
    const struct {
        MenuAnchor anchor;
        std::optional<MenuItem> selected;
        int highlighted;
    } rows[] = {{{false, 2}, MenuItem::remove, 0},
                {{true, 0}, MenuItem::minimise, 4},
                {{false, 3}, std::nullopt, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.anchor.position);
        events.anchor = row.anchor;
        events.selected = row.selected;
        shownMenu = {};
        SetTimer(nullptr, 0, 10, closeMenu);
        SendMessageW(window, WM_CONTEXTMENU, 0, -1);
        RECT button = row.anchor.addButton ? RECT{} : buttonRect(row.anchor.position - 1);
        MapWindowPoints(toolbarWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
        if (row.anchor.addButton) GetWindowRect(add, &button);
        EXPECT_EQ(std::pair(shownMenu.rect.left, shownMenu.rect.top),
                  std::pair(button.left, button.bottom));
        EXPECT_EQ(shownMenu.highlighted, row.highlighted);
    }
}

// The focused program button is the toolbar's hot one, has the system's focus and is
// announced by its place; it stays so as buttons move and the mouse leaves, and goes with the
// button.
TEST_F(KeyboardTest, TheFocusIsShownHeldAndAnnounced) {
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, noteFocus,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    announced.clear();
    // onAdd: the system's focus: on the add button, else on the toolbar
    // announced: the place announced, 0 for none
    // clang-format off
    const struct { std::function<void()> act; LRESULT hot; bool onAdd; LONG announced; } rows[] = {
        {[&] { kit.toolbar.showFocus(u"k12"); }, 1, false, 2},
        {[&] { kit.toolbar.moveButton(2, 3); }, 2, false, 3},
        {[&] { SendMessageW(toolbarWindow, WM_MOUSELEAVE, 0, 0); }, 2, false, 0},
        {[&] { kit.toolbar.moveButton(1, 2); }, 2, false, 0},
        {[&] {
             kit.toolbar.showFocus(u"");
             kit.addButton.showFocus(true);
         },
         -1, true, 0},
        {[&] { kit.toolbar.showFocus(u"k11"); }, 1, false, 2},
        {[&] { kit.toolbar.removeButton(2); }, -1, false, 0},
    };
    // clang-format on
    Announced expected;
    for (const auto& row : rows) {
        SCOPED_TRACE(expected.size());
        row.act();
        pumpMessages();
        if (row.announced) expected.emplace_back(toolbarWindow, OBJID_CLIENT, row.announced);
        EXPECT_EQ(hot(), row.hot);
        EXPECT_EQ(GetFocus(), row.onAdd ? add : toolbarWindow);
        EXPECT_EQ(announced, expected);
    }
    UnhookWinEvent(hook);
}

}  // namespace
}  // namespace quevor::win32

// The Win32 toolkit on real windows under Wine: pixels, styles, the toolbar control and its
// image list, the system's failures. What the user sees of it (icons, tooltips, the menus' items,
// a program started, a shortcut dropped) is checked end to end, the logic on the simulated toolkit.

#include <atomic>
#include <fstream>
#include <thread>
#include <tuple>

#include "bar_fixture.h"
#include "core/error.h"

namespace quevor::win32 {
namespace {

namespace fs = std::filesystem;

// Each button as the toolbar control holds it: key, image index and tooltip.
using Buttons = std::vector<std::tuple<std::u16string, int, std::wstring>>;

class Win32ToolkitTest : public Win32BarTest {
  protected:
    RECT rectIn(HWND of, HWND parent) {
        RECT r{};
        GetWindowRect(of, &r);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    HWND toolTips() {
        return reinterpret_cast<HWND>(SendMessageW(toolbarWindow, TB_GETTOOLTIPS, 0, 0));
    }
    // Whether the tooltip control has one tool per button, by command id, over its area.
    bool toolsFollowButtons() {
        bool follow = SendMessageW(toolTips(), TTM_GETTOOLCOUNT, 0, 0) == count();
        for (int i = 0; i < count(); ++i) {
            TBBUTTON b{};
            SendMessageW(toolbarWindow, TB_GETBUTTON, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&b));
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = toolbarWindow;
            tool.uId = static_cast<UINT_PTR>(b.idCommand);
            const RECT area = buttonRect(i);
            follow =
                follow &&
                SendMessageW(toolTips(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) &&
                EqualRect(&tool.rect, &area);
        }
        return follow;
    }
    Buttons buttons() {
        Buttons out;
        for (int i = 0; i < count(); ++i) {
            TBBUTTON b{};
            SendMessageW(toolbarWindow, TB_GETBUTTON, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&b));
            const std::wstring* tip = toolbar.toolTipOfCommand(b.idCommand);
            out.emplace_back(toolbar.keyOfCommand(b.idCommand).value_or(u"?"), b.iBitmap,
                             tip ? *tip : L"?");
        }
        return out;
    }
};

// What is set lands on the real window in pixels and reads back as written; a window partly on
// screen stays where the user put it.
TEST_F(Win32ToolkitTest, GeometryIsTheOuterRectangleInTwipsAndReadsBackAsWritten) {
    const struct {
        float left, top, width, height, addLeft;
    } rows[] = {{1500, 1500, 1905, 1125, 1170},
                {100, 100, 735, 650, 0},
                {-120, 30, 615, 650, 585},
                {1507, 1493, 8775, 1125, 7003}};
    EXPECT_EQ(kit.addButton.width(), 615);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width);
        kit.window.setLeft(row.left);
        kit.window.setTop(row.top);
        kit.window.setWidth(row.width);
        kit.window.setHeight(row.height);
        kit.addButton.setLeft(row.addLeft);
        bar.window().bringOntoMonitor();
        const RECT r = rectIn(window, HWND_DESKTOP);
        EXPECT_EQ(
            std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top, rectIn(add, window).left),
            std::tuple(px(row.left), px(row.top), px(row.width), px(row.height), px(row.addLeft)));
        EXPECT_EQ(std::tuple(kit.window.left(), kit.window.top(), kit.window.width(),
                             kit.window.height(), kit.addButton.left()),
                  std::tuple(row.left, row.top, row.width, row.height, row.addLeft));
    }
}

// Held, the geometry reads back as set while the window stays where it was; applied, it
// lands in one move, brought from off every monitor into the nearest work area and made
// topmost if that was asked for meanwhile. A move by someone else then reads back converted.
TEST_F(Win32ToolkitTest, HeldGeometryReachesTheWindowWhenApplied) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto placed = [&] {
        const RECT r = rectIn(window, HWND_DESKTOP);
        return std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top,
                          (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    };
    const auto before = placed();
    bar.window().holdGeometry();
    kit.window.setLeft(450000);  // off every monitor, to the right
    kit.window.setTop(1200);
    kit.window.setWidth(1905);
    kit.window.setHeight(1125);
    kit.window.makeTopmost();
    EXPECT_EQ(
        std::tuple(kit.window.left(), kit.window.top(), kit.window.width(), kit.window.height()),
        std::tuple(450000.0f, 1200.0f, 1905.0f, 1125.0f));
    bar.window().bringOntoMonitor();
    EXPECT_EQ(kit.window.left(), bar.window().units().toTwips(work.right - px(1905)));
    EXPECT_EQ(placed(), before);
    EXPECT_FALSE(std::get<4>(before));
    bar.window().applyGeometry();
    EXPECT_EQ(placed(), std::tuple(work.right - px(1905), px(1200), px(1905), px(1125), true));
    kit.window.setLeft(100);  // no longer held
    EXPECT_EQ(rectIn(window, HWND_DESKTOP).left, px(100));
    SetWindowPos(window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(kit.window.left(), bar.window().units().toTwips(30));
}

// Only the caption bits come and go (the other bits of the frame stay), and so does the outer
// rectangle.
TEST_F(Win32ToolkitTest, CaptionBitsComeAndGoTopmostKeepsTheTooltipNoMenuBar) {
    const auto style = [&] { return GetWindowLongPtrW(window, GWL_STYLE); };
    const LONG_PTR shown = style();
    const RECT before = rectIn(window, HWND_DESKTOP);
    ASSERT_EQ(shown & WS_CAPTION, WS_CAPTION);
    kit.window.setCaptionVisible(false);
    EXPECT_EQ(style(), shown & ~static_cast<LONG_PTR>(WS_CAPTION));
    const RECT hidden = rectIn(window, HWND_DESKTOP);
    EXPECT_TRUE(EqualRect(&hidden, &before));
    kit.window.setCaptionVisible(true);
    EXPECT_EQ(style(), shown);
    EXPECT_EQ(GetMenu(window), nullptr);
    // A tooltip control that comes with the mouse after the bar is topmost leaves it so; Wine's
    // workaround takes the control away from the bar for a moment only.
    kit.window.makeTopmost();
    SendMessageW(toolbarWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    kit.window.makeTopmost();
    HWND tips = toolTips();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(GetWindow(tips, GW_OWNER), window);
}

// Pixels of an image list's image drawn over a plain background.
std::vector<DWORD> drawn(HIMAGELIST images, int index, COLORREF background) {
    return painted(48, 48, background,
                   [&](HDC dc) { ImageList_Draw(images, index, dc, 0, 0, ILD_TRANSPARENT); });
}

// Each button shows its own image at the button pitch, drawn exactly as the system's own way
// of storing the icon draws it; a point names the button under it and the place it would take.
// A removed button's image is reused by the next one added.
TEST_F(Win32ToolkitTest, ToolbarButtonsKeepTheirImagesAndTooltipsAndAreHitAtThePitch) {
    addPrograms(3);
    kit.toolbar.setToolTip(2, u"notepad.exe");
    // The tooltip control comes with the mouse, for the buttons already there.
    EXPECT_EQ(toolTips(), nullptr);
    SendMessageW(toolbarWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_NE(toolTips(), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(toolTips(), GWL_STYLE) & TTS_ALWAYSTIP, TTS_ALWAYSTIP);
    EXPECT_TRUE(toolsFollowButtons());
    const int pitch = px(585), y = px(300);
    const struct {
        int x;
        const char16_t* key;  // nullptr: the toolbar's empty part
        int16 position;
    } rows[] = {{-5, nullptr, 1},       {pitch - 1, u"k11", 1},     {pitch, u"k12", 2},
                {2 * pitch, u"k13", 3}, {3 * pitch - 1, u"k13", 3}, {3 * pitch + 40, nullptr, 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        const auto key = toolbar.keyAt(POINT{row.x, y});
        EXPECT_EQ(key.value_or(u"none"), row.key ? row.key : u"none");
        EXPECT_EQ(toolbar.positionAt(row.x), row.position);
    }

    // Keys are unique, images must exist, positions must be in range.
    EXPECT_THROW(kit.toolbar.addImage(4, u"k12", *notepad), RuntimeError);
    EXPECT_THROW(kit.toolbar.addButton(4, u"k11", u"k11"), RuntimeError);
    EXPECT_THROW(kit.toolbar.addButton(4, u"k14", u"k19"), RuntimeError);
    EXPECT_THROW(kit.toolbar.addButton(5, u"k14", u"k11"), RuntimeError);
    EXPECT_THROW(kit.toolbar.setToolTip(4, u"x"), RuntimeError);
    EXPECT_THROW(kit.toolbar.removeButton(4), RuntimeError);
    EXPECT_THROW(kit.toolbar.moveButton(1, 4), RuntimeError);

    kit.toolbar.moveButton(3, 1);
    kit.toolbar.removeButton(2);
    kit.toolbar.addImage(3, u"k11", *notepad);  // the key is free again
    kit.toolbar.addButton(3, u"k11", u"k11");
    EXPECT_EQ(buttons(),
              (Buttons{{u"k13", 2, L""}, {u"k12", 1, L"notepad.exe"}, {u"k11", 0, L""}}));
    EXPECT_TRUE(toolsFollowButtons());  // the tooltips' areas followed the buttons
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageW(toolbarWindow, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    const int size = GetSystemMetrics(SM_CXICON);
    UniqueImageList expected(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 1));
    ImageList_ReplaceIcon(expected.get(), -1, dynamic_cast<const Win32Icon&>(*notepad).get());
    for (const auto& [key, image, tip] : buttons()) {  // new images and the reused one
        for (const COLORREF background : {RGB(240, 240, 240), RGB(0, 0, 128)}) {
            EXPECT_EQ(drawn(images, image, background), drawn(expected.get(), 0, background));
        }
    }
    // A button's image is replaced under its key (the neutral icon, then the program's own).
    const int k12 = std::get<1>(buttons()[1]);
    kit.toolbar.setImage(u"k12", *kit.platform.neutralIcon());
    EXPECT_NE(drawn(images, k12, RGB(0, 0, 128)), drawn(expected.get(), 0, RGB(0, 0, 128)));
    kit.toolbar.setImage(u"k12", *notepad);
    EXPECT_EQ(drawn(images, k12, RGB(0, 0, 128)), drawn(expected.get(), 0, RGB(0, 0, 128)));
    EXPECT_THROW(kit.toolbar.setImage(u"k14", *notepad), RuntimeError);
    kit.toolbar.clearButtons();
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);  // the images stay
}

// What the system cannot do comes back with a reason (a shortcut that is read is dropped end to
// end).
TEST_F(Win32ToolkitTest, WhatTheSystemCannotDoGivesTheReason) {
    bool iconAnswered = false;
    StartResult started;
    kit.platform.requestProgramIcon(u"C:\\no\\such\\program.exe", [&](std::unique_ptr<Icon> icon) {
        iconAnswered = icon == nullptr;
    });
    kit.platform.requestStart({u"C:\\no\\such\\program.exe", u"", false},
                              [&](StartResult result) { started = result; });
    kit.platform.awaitAnswers(20000);
    EXPECT_TRUE(iconAnswered);
    EXPECT_EQ(started.outcome, StartResult::Outcome::failed);
    EXPECT_FALSE(started.failure.empty());
    const fs::path text = fs::temp_directory_path() / L"quevor-text.lnk";
    std::ofstream(text) << "not a shortcut";
    const ShortcutTarget found = kit.platform.resolveShortcut(text.u16string());
    EXPECT_FALSE(found.path.has_value());
    EXPECT_FALSE(found.failure.empty());
    fs::remove(text);
}

// A bar whose handler of the kind named throws, or ends the program and notes whether the window
// is still there for the rest of the handler; it notes whether the window went before it.
class HandlerBar final : public QuietBar {
  public:
    HandlerBar(Toolkit& kit, const char* handler, bool ends, std::string& seen)
        : kit_(kit), handler_(handler), ends_(ends), seen_(seen) {}
    ~HandlerBar() override { seen_ += windowThere() ? "bar first" : "window first"; }
    void start() override { hit("start"); }
    void onSessionEnd() override { ++sessionEnds; }
    void onAddButtonClick() override { hit("click"); }
    void onAddButtonMouseDown(int16, int16, float, float) override { hit("press"); }

    int sessionEnds = 0;

  private:
    void hit(const std::string& handler) {
        if (handler != handler_) return;
        if (!ends_) fail("Failed in a handler \u00e9");
        kit_.platform.endProgram();
        seen_ += windowThere() ? "window kept, " : "window gone, ";
    }
    bool windowThere() { return IsWindow(dynamic_cast<MainWindow&>(kit_.window).hwnd()); }
    Toolkit& kit_;
    std::string handler_;
    bool ends_;
    std::string& seen_;
};

// Asked whether the session may end, the bar lets it; only a session that really ends reaches
// the bar, which saves then.
TEST_F(Win32ToolkitTest, OnlyASessionThatReallyEndsReachesTheBar) {
    std::string seen;
    HandlerBar events(kit, "", false, seen);
    bar.window().setEvents(&events);
    // clang-format off
    // the message, whether the session really ends; the answer, the session's ends seen so far
    const std::tuple<UINT, WPARAM, LRESULT, int> rows[] = {
        {WM_QUERYENDSESSION, 0, TRUE, 0}, {WM_ENDSESSION, FALSE, 0, 0}, {WM_ENDSESSION, TRUE, 0, 1}};
    // clang-format on
    for (const auto& [message, really, answer, sessionEnds] : rows) {
        SCOPED_TRACE(message);
        EXPECT_EQ(SendMessageW(window, message, really, 0), answer);
        EXPECT_EQ(events.sessionEnds, sessionEnds);
    }
    bar.window().setEvents(nullptr);
}

// The file worker's answers reach the bar between its events: one that comes while an event is
// being handled (here in a modal loop under it) waits until that event has returned.
TEST_F(Win32ToolkitTest, AnAnswerWaitsUntilTheEventBeingHandledReturns) {
    std::string seen;
    HandlerBar events(kit, "", false, seen);
    bar.window().setEvents(&events);
    bool answered = false;
    bar.boundary().run([&] {
        kit.platform.requestProgramIcon(u"C:\\no\\such\\program.exe",
                                        [&](std::unique_ptr<Icon>) { answered = true; });
        for (int i = 0; i < 2000 && !bar.window().worker().idle(); ++i) Sleep(10);
        pumpMessages();
        EXPECT_FALSE(answered);
    });
    pumpMessages();
    EXPECT_TRUE(answered);
    bar.window().setEvents(nullptr);
}

// Closes the error report when it shows and gives its text; with no report by the time the bar
// returns, "no report", and if it never does, ends the bar's message loop instead.
std::wstring closeReport(DWORD barThread, const std::atomic<bool>& done) {
    HWND box = nullptr;
    for (int i = 0; i < 2000 && !done && !(box = FindWindowW(L"#32770", L"quevor")); ++i) Sleep(10);
    wchar_t text[256] = L"no report";
    if (box) GetDlgItemTextW(box, 0xffff, text, 256);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (!box && !done) PostThreadMessageW(barThread, WM_QUIT, 0, 0);
    return box || done ? text : L"still running";
}

// A failure in start-up, or in a handler that the window procedure (a click) or the controls'
// procedure (a press) calls, ends the program with the report of its message and status 1.
// Ending it from a handler leaves the window to the rest of the handler and ends the loop, with
// status 0. Either way the window goes before the bar and no quit is left for the next loop.
TEST(Win32RunTest, AHandlerThatThrowsOrEndsTheProgramEndsTheLoop) {
    const auto click = [](MainWindow& w) {
        PostMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(w.addButton().hwnd()));
    };
    const auto press = [](MainWindow& w) {
        PostMessageW(w.addButton().hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    };
    // clang-format off
    const struct { const char* handler; bool ends; void (*send)(MainWindow&); } rows[] = {
        {"start", false, [](MainWindow&) {}}, {"click", false, click}, {"press", false, press},
        {"start", true, [](MainWindow&) {}}, {"click", true, click}};  // ends, or else throws
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.handler) + (row.ends ? " ends" : " throws"));
        std::string seen;
        std::atomic<bool> done = false;
        std::wstring report;
        std::thread closer([&, id = GetCurrentThreadId()] { report = closeReport(id, done); });
        const int status = runBar(GetModuleHandleW(nullptr), SW_SHOWNORMAL, [&](Toolkit& kit) {
            row.send(dynamic_cast<MainWindow&>(kit.window));  // handled once the loop runs
            return std::make_unique<HandlerBar>(kit, row.handler, row.ends, seen);
        });
        done = true;
        closer.join();
        EXPECT_EQ(status, row.ends ? 0 : 1);
        EXPECT_EQ(report, row.ends ? L"no report" : L"Failed in a handler \u00e9");
        EXPECT_EQ(seen, std::string(row.ends ? "window kept, " : "") + "window first");
        MSG quit;
        EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
}

}  // namespace
}  // namespace quevor::win32

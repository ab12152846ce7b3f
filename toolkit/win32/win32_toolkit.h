#pragma once

// The Win32 realisation of the toolkit interface: the bar's window with its toolbar (and the
// toolbar's image list), the add button, the pop-up menu, the open-file dialog and the platform
// services. Icons go into the image list with their alpha directly, and a tooltip's file name
// is the path's last component.

#include <array>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit/win32/drop_target.h"
#include "toolkit/win32/file_worker.h"
#include "toolkit/win32/handles.h"
#include "toolkit/win32/units.h"
#include "toolkit/win32/win32.h"

namespace quevor::win32 {

// Every event from the window system passes through here: the first failure is kept, the
// message loop is told to stop, and no further event reaches the logic. Nothing is thrown
// across a window procedure.
class EventBoundary {
  public:
    template <typename F>
    void run(F&& handler) noexcept {
        if (stopped()) return;
        ++depth_;
        try {
            handler();
        } catch (...) {
            error_ = std::current_exception();
            PostQuitMessage(1);
        }
        if (--depth_ == 0 && whenIdle_) whenIdle_();
    }
    // How many events are being handled: more than one while a handler waits in a modal loop
    // (a message box, the menu, the dialog) and the window's events go on under it.
    int depth() const { return depth_; }
    // Called each time the last event being handled has returned.
    void setWhenIdle(std::function<void()> whenIdle) { whenIdle_ = std::move(whenIdle); }
    bool failed() const { return error_ != nullptr; }
    bool stopped() const { return failed() || ended_; }
    // The program was ended: no event reaches the logic any more, and the message loop stops.
    void setEnded() { ended_ = true; }
    bool ended() const { return ended_; }
    std::exception_ptr error() const { return error_; }

  private:
    std::exception_ptr error_;
    bool ended_ = false;
    int depth_ = 0;
    std::function<void()> whenIdle_;
};

// A written geometry value reads back unchanged as long as the window still has the pixel
// value it was turned into; otherwise the pixels are converted.
class TwipsValue {
  public:
    float read(int pixels, const Units& units) const {
        return (written_ && pixels == pixels_) ? twips_ : units.toTwips(pixels);
    }
    void wrote(float twips, int pixels) {
        twips_ = twips;
        pixels_ = pixels;
        written_ = true;
    }

  private:
    float twips_ = 0;
    int pixels_ = 0;
    bool written_ = false;
};

class Win32Icon final : public Icon {
  public:
    explicit Win32Icon(UniqueIcon icon) : icon_(std::move(icon)) {}
    HICON get() const { return icon_.get(); }

  private:
    UniqueIcon icon_;  // from the shell: ours to destroy
};

class MainWindow;

class Win32Toolbar final : public Toolbar {
  public:
    Win32Toolbar(HWND parent, const Units& units, int controlId);
    HWND hwnd() const { return hwnd_; }

    void addImage(int16 index, const std::u16string& key, const Icon& icon) override;
    void addButton(int16 index, const std::u16string& key, const std::u16string& imageKey) override;
    void setToolTip(int16 index, const std::u16string& text) override;
    void setImage(const std::u16string& key, const Icon& icon) override;
    void removeButton(int16 index) override;
    void moveButton(int16 from, int16 to) override;
    void clearButtons() override;
    // The focused button is the hot one (the toolbar's own highlight, which keeps the button's
    // look), has the system's focus and is announced to assistive technology.
    void showFocus(const std::u16string& key) override;
    // After the mouse has taken the highlight away: back on the focused button.
    void showFocusAgain();
    bool hasFocus() const { return focusedIndex() >= 0; }

    // For the main window: the key of the button with this command id, its tooltip.
    std::optional<std::u16string> keyOfCommand(int command) const;
    const std::wstring* toolTipOfCommand(int command) const;
    // The key of the button under a point of the toolbar's client area, none over its empty
    // part; the 1-based place among the buttons that a button let go at x would take.
    std::optional<std::u16string> keyAt(POINT client) const;
    int16 positionAt(int x) const;
    // Makes the buttons' tooltip control the first time the mouse comes over the toolbar
    // (most starts never need it before then); the toolbar then keeps it up to date itself.
    void attachToolTips();
    // Size of the images the shell icons are stored at.
    int iconSize() const { return iconSize_; }
    // Highlights the program button files dragged over the bar would be let go on, none for
    // none.
    void markDropTarget(const std::optional<std::u16string>& key);
    // Sizes the toolbar, its buttons and their images for the units' DPI.
    void layOut(const Units& units);

  private:
    struct ButtonInfo {
        int command;
        std::u16string key;
        std::wstring toolTip;
    };
    void checkIndex(int16 index, std::size_t count, const char* what) const;
    int focusedIndex() const;  // 0-based, -1 for none
    // The focused button's new place after buttons came, went or moved; announced if it changed.
    void followFocus();

    HWND hwnd_ = nullptr;
    HWND toolTips_ = nullptr;  // owned by the main window, which destroys it with itself
    int iconSize_ = 0;
    UniqueImageList images_;
    std::vector<UniqueIcon> icons_;  // copies of the icons, by index in the native image list
    std::map<std::u16string, int> imageSlots_;  // key -> index in the native image list
    std::vector<int> freeImageSlots_;           // native images of removed buttons, for reuse
    std::vector<ButtonInfo> buttons_;           // the toolbar's buttons by position
    int nextCommand_ = 1000;
    std::optional<std::u16string> marked_;  // by markDropTarget
    std::u16string focusedKey_;
    int announcedIndex_ = -1;  // where the focus was last announced
};

class Win32AddButton final : public AddButton {
  public:
    Win32AddButton(HWND parent, const Units& units, int controlId);
    HWND hwnd() const { return hwnd_; }
    float left() const override;
    void setLeft(float twips) override;
    float width() const override;
    // Sizes the button and its picture again for the units' new DPI; it keeps its place in twips.
    void layOut();
    // The button takes the system's focus, its focus rectangle shown.
    void showFocus(bool focused) override;
    bool hasFocus() const { return focused_; }

  private:
    void showPicture();

    HWND hwnd_ = nullptr;
    const Units& units_;
    UniqueBitmap picture_;
    TwipsValue left_;
    bool focused_ = false;
};

class Win32Menu final : public Menu {
  public:
    explicit Win32Menu(const MainWindow& window);
    bool visible(MenuItem item) const;
    void setVisible(MenuItem item, bool visible) override;
    void setCaption(MenuItem item, const std::u16string& caption) override;
    std::optional<MenuItem> popup() override;
    void setChecked(MenuItem item, bool checked) override;
    // Below the anchor button, not covering it.
    std::optional<MenuItem> popupAt(const MenuAnchor& anchor,
                                    std::optional<MenuItem> selected) override;

    // The caption an item starts with.
    static const wchar_t* caption(MenuItem item);

  private:
    UniqueMenu build() const;  // of the visible items
    // Shows the menu at the point, beside exclude if given; the chosen item once it has closed.
    std::optional<MenuItem> track(HMENU menu, POINT at, const RECT* exclude);

    HWND owner_;
    const MainWindow& window_;
    std::array<bool, kMenuItems.size()> visible_ = shownAtFirst();
    std::array<std::wstring, kMenuItems.size()> captions_;  // "" for the starting caption
    std::array<bool, kMenuItems.size()> checked_{};

    static constexpr std::array<bool, kMenuItems.size()> shownAtFirst() {
        std::array<bool, kMenuItems.size()> shown{};
        for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = kMenuItems[i].shownAtFirst;
        return shown;
    }
};

class Win32Dialog final : public OpenFileDialog {
  public:
    explicit Win32Dialog(HWND owner) : owner_(owner) {}
    std::u16string showOpen(const std::u16string& filter) override;

  private:
    HWND owner_;
};

class Win32Platform final : public Platform {
  public:
    Win32Platform(MainWindow& window, EventBoundary& boundary)
        : window_(window), boundary_(boundary) {}
    std::optional<std::u16string> findFile(const std::u16string& name) override;
    bool anotherInstanceRunning() override;
    void requestProgramIcon(const std::u16string& path, IconAnswer answer) override;
    void requestStart(const StartRequest& request, StartAnswer answer) override;
    void requestOpenFolder(const std::u16string& path, FolderAnswer answer) override;
    void awaitAnswers(int limitMs) override;
    std::unique_ptr<Icon> neutralIcon() override;
    ShortcutTarget resolveShortcut(const std::u16string& path) override;
    void showMessage(const std::u16string& text) override;
    void endProgram() override;
    StartupEntry readStartupEntry() override;
    std::optional<std::u16string> writeStartupEntry(
        const std::optional<std::u16string>& command) override;
    std::u16string ownProgramPath() override;
    std::u16string comparablePath(const std::u16string& path) override;

  private:
    // Starts COM on the user-interface thread once; nullopt when it is there, else the reason.
    std::optional<std::u16string> startCom();

    MainWindow& window_;
    EventBoundary& boundary_;
    UniqueHandle instanceMutex_;  // held for the life of the process
    bool anotherInstance_ = false;
    bool comStarted_ = false;  // this thread's COM apartment, made on first need
};

class MainWindow final : public Window {
  public:
    MainWindow(HINSTANCE instance, EventBoundary& boundary);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const Units& units() const { return units_; }
    Win32Toolbar& toolbar() { return *toolbar_; }
    Win32AddButton& addButton() { return *addButton_; }
    FileWorker& worker() { return *worker_; }
    void setEvents(BarEvents* events) { events_ = events; }
    void destroy();

    // Shows the window once start-up is done.
    void show(int showCommand);
    // A stored position that lies on no monitor is moved into the nearest one's work area.
    void bringOntoMonitor();
    // The window's DPI became dpi: sizes, icons and the add button's picture follow it.
    void useDpi(int dpi);
    // WM_DPICHANGED: the new DPI and the system's suggested outer rectangle.
    void changeDpi(int dpi, const RECT& suggested);
    // Start-up sets the hidden window's place, size and stacking a piece at a time: held, the
    // pieces are read back as set and reach the window together, in one move, when applied.
    void holdGeometry();
    void applyGeometry();

    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    void minimize() override;
    void setCaptionVisible(bool visible) override;
    void makeTopmost() override;

    // Where a menu opened from the keyboard stands beside: the button's screen rectangle.
    RECT anchorRect(const MenuAnchor& anchor) const;

  private:
    friend class DropTarget;
    // The window's own posted messages: take OLE drops from now on; hand the oldest drop on.
    static constexpr UINT kRegisterDropTarget = WM_APP + 1;
    static constexpr UINT kDeliverDrop = WM_APP + 2;
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The toolbar's own mouse messages: presses name the program button under them, and a left
    // press carried beyond the drag threshold moves the button instead of clicking it.
    void pressOnToolbar(int16 button, int16 shift, POINT at);
    void trackDrag(UINT message, POINT at);
    // The file worker's answers that are ready reach the bar, unless an event is being handled:
    // then they wait until it has returned, so that no answer changes the bar under a handler.
    void deliverAnswers();
    // Files dragged onto the window come through OLE, taken once the window is on the screen.
    void registerDropTarget();
    void revokeDropTarget() noexcept;
    // The program button under a point of the screen, none elsewhere.
    std::optional<std::u16string> programButtonAt(POINT screen) const;
    // A drop is handed to the bar from the message loop, after the drag source has its answer.
    void queueDrop(std::vector<std::u16string> paths, std::optional<std::u16string> key);
    void deliverDrop(const std::vector<std::u16string>& paths,
                     const std::optional<std::u16string>& key);
    // A second start of the program asks whether this is the bar, or gives it the focus.
    LRESULT answerSecondStart(WPARAM request);
    // A key pressed on the window or one of its controls; whether the bar used it.
    bool keyDown(WPARAM virtualKey);
    // The keys the controls would handle themselves go to the bar; the rest as usual.
    LRESULT controlKey(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    RECT outerRect() const;
    void move(const RECT& rect);

    EventBoundary& boundary_;
    Units systemUnits_;  // the position's, which the stored "X:" and "Y:" are in
    Units units_;        // the sizes', at the DPI of the window's monitor
    HWND hwnd_ = nullptr;
    BarEvents* events_ = nullptr;
    std::unique_ptr<Win32Toolbar> toolbar_;
    std::unique_ptr<Win32AddButton> addButton_;
    std::unique_ptr<FileWorker> worker_;
    bool answersWaiting_ = false;  // answers came while an event was being handled
    UniqueIcon bigIcon_, smallIcon_;
    TwipsValue left_, top_, width_, height_;
    bool topmost_ = false;
    std::optional<RECT> held_;  // the outer rectangle while the geometry is held
    // A left press on a program button: its key and where it started, whether it has become a
    // drag, and while its release is handed on, that the toolbar's click is not a click.
    std::optional<std::u16string> pressedKey_;
    POINT pressedAt_{};
    bool dragging_ = false;
    bool swallowClick_ = false;
    UniqueCom<DropTarget> dropTarget_;  // while registered with OLE
    decltype(RevokeDragDrop)* revokeDragDrop_ = nullptr;
    struct PendingDrop {
        std::vector<std::u16string> paths;
        std::optional<std::u16string> key;
    };
    std::vector<PendingDrop> pendingDrops_;  // oldest first
};

// The rectangle moved into the work area of the monitor nearest to it, when it is on none.
std::optional<RECT> ontoNearestMonitor(const RECT& rect);

// The whole toolkit, windows made but not shown.
class Win32Toolkit {
  public:
    explicit Win32Toolkit(HINSTANCE instance);
    Toolkit toolkit() {
        return Toolkit{window_, window_.toolbar(), window_.addButton(), menu_, dialog_, platform_};
    }
    MainWindow& window() { return window_; }
    EventBoundary& boundary() { return boundary_; }

  private:
    EventBoundary boundary_;
    MainWindow window_;
    Win32Menu menu_;
    Win32Dialog dialog_;
    Win32Platform platform_;
};

using BarFactory = std::function<std::unique_ptr<BarEvents>(Toolkit&)>;

// The program: restricts the DLL search, makes the toolkit and the bar, runs start-up, shows
// the bar and runs the message loop; after it, destroys the window and then the bar. A failure
// is reported in a message box; the result is the process's exit status (non-zero after a
// failure).
int runBar(HINSTANCE instance, int showCommand, const BarFactory& makeBar) noexcept;

// What touches a program's file, run on the file worker: its shell icon at size pixels square
// (nullptr when the file is missing or has none); the program started as its own process, in
// its own folder; its folder shown with it selected (nullopt, else the system's reason).
std::unique_ptr<Icon> loadProgramIcon(const std::u16string& path, int size);
StartResult startProgramFile(const StartRequest& request);
std::optional<std::u16string> openFolderOf(const std::u16string& path);
// The folder a program is started in: its own ("C:\" for "C:\x.exe", not the drive's current
// folder that "C:" would mean); "" for a bare name.
std::wstring folderOf(const std::wstring& file);

// The runtime error report: a message box with the error's message.
void reportError(const std::string& utf8Message) noexcept;

// Resource ids the program's .rc provides (the toolkit runs without them, e.g. in tests).
constexpr int kAppIconId = 1;
constexpr int kAddPictureId = 2;

}  // namespace quevor::win32

#include <new>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

std::u16string reportText(const std::string& utf8) {
    try {
        return fromUtf8(utf8);
    } catch (...) {
        std::u16string text;
        for (const char byte : utf8) {
            const auto c = static_cast<unsigned char>(byte);
            text.push_back(c < 0x80 ? c : u'?');
        }
        return text;
    }
}

std::string describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return toUtf8(messageText(Message::outOfMemory));
    } catch (const std::exception& e) {
        return toUtf8(messageText(Message::internalError, {fromUtf8(e.what())}));
    } catch (...) {
        return toUtf8(messageText(Message::unknownError));
    }
}

// Destroying the window, like ending the program, asks the thread to quit; the request is taken
// back once the loop no longer needs it, or it would end the next message box or loop at once.
void dropPendingQuit() noexcept {
    MSG pending;
    while (PeekMessageW(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// The window raises the bar's events for as long as this lives. Made after the bar, it ends
// before it: the window forgets the bar and is destroyed while the bar is still there, so
// nothing the window is sent on its way out reaches a bar that is gone.
class Attachment {
  public:
    Attachment(MainWindow& window, BarEvents& events) : window_(window) {
        window.setEvents(&events);
    }
    ~Attachment() { end(); }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    void end() noexcept {
        window_.setEvents(nullptr);
        window_.destroy();
        dropPendingQuit();
    }

  private:
    MainWindow& window_;
};

}  // namespace

Win32Toolkit::Win32Toolkit(HINSTANCE instance)
    : window_(instance, boundary_),
      menu_(window_),
      dialog_(window_.hwnd()),
      platform_(window_, boundary_) {}

void reportError(const std::string& utf8Message) noexcept {
    dropPendingQuit();  // it would close the box unseen
    const std::wstring text = wide(reportText(utf8Message));
    MessageBoxW(nullptr, text.c_str(), L"quevor", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

int runBar(HINSTANCE instance, int showCommand, const BarFactory& makeBar) noexcept {
    // Before anything else loads: DLLs come from System32 only, never from the program's or
    // the current folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
    try {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);

        Win32Toolkit bar(instance);
        Toolkit toolkit = bar.toolkit();
        std::unique_ptr<BarEvents> events = makeBar(toolkit);
        Attachment attachment(bar.window(), *events);

        bar.window().holdGeometry();
        events->start();
        if (bar.boundary().ended()) return 0;  // another instance, or no settings file
        bar.window().bringOntoMonitor();
        bar.window().applyGeometry();
        bar.window().show(showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);

        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (bar.boundary().stopped()) break;
        }
        if (bar.boundary().failed()) {
            const std::string text = describe(bar.boundary().error());
            attachment.end();
            reportError(text);
            return 1;
        }
        return 0;
    } catch (...) {
        reportError(describe(std::current_exception()));
        return 1;
    }
}

}  // namespace quevor::win32

#include "toolkit/win32/dpi.h"

#include <shellscalingapi.h>

#include "toolkit/win32/units.h"

namespace quevor::win32 {
namespace {

// A function that only newer Windows has; nullptr on older ones. user32 is loaded already;
// shcore only when a window is placed on a monitor other than its own, which most starts
// never do.
template <typename Function>
Function* newerFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

int systemDpi() {
    static const int dpi = Units::system().dpi();
    return dpi;
}

}  // namespace

int windowDpi(HWND window) {
    static auto* const getDpiForWindow =
        newerFunction<decltype(GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : systemDpi();
}

int dpiAt(HWND window, const RECT& rect) {
    const HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    if (monitor == MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) return windowDpi(window);
    static auto* const getDpiForMonitor =
        newerFunction<decltype(GetDpiForMonitor)>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && y) {
        return static_cast<int>(y);
    }
    return systemDpi();
}

int iconSizeAt(int dpi) {
    static auto* const getSystemMetricsForDpi =
        newerFunction<decltype(GetSystemMetricsForDpi)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi) {
        return getSystemMetricsForDpi(SM_CXICON, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(SM_CXICON), dpi, systemDpi());
}

}  // namespace quevor::win32

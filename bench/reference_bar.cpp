// The least a quick-start bar must do, as a yardstick for scripts/bench.sh: a topmost window
// with a common-controls-6 toolbar holding the shell's icon of each program listed, one path a
// line, in the file named on the command line. Built with -DBARE it is only an empty window.
#include <windows.h>  // first: the other system headers build on it

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

#ifdef BARE
static const wchar_t* const kTitle = L"bare";
static void addButtons(HWND, const wchar_t*) {}
#else
static const wchar_t* const kTitle = L"reference";
static void addButtons(HWND window, const wchar_t* listFile) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND toolbar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0,
                        0, 0, window, nullptr, nullptr, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int size = GetSystemMetrics(SM_CXICON);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 15, 0);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    FILE* list = _wfopen(listFile, L"r");
    wchar_t path[MAX_PATH + 2];
    for (int command = 1; list && fgetws(path, MAX_PATH + 2, list); ++command) {
        path[wcscspn(path, L"\r\n")] = L'\0';
        SHFILEINFOW info{};
        SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON);
        TBBUTTON button{};  // the style BTNS_BUTTON is 0
        button.iBitmap = info.hIcon ? ImageList_AddIcon(images, info.hIcon) : I_IMAGENONE;
        if (info.hIcon) DestroyIcon(info.hIcon);
        button.idCommand = command;
        button.fsState = TBSTATE_ENABLED;
        SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    if (list) fclose(list);
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"benchWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"benchWindow", kTitle, WS_OVERLAPPEDWINDOW, 100,
                                  100, 640, 80, nullptr, nullptr, instance, nullptr);
    addButtons(window, commandLine);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

// Files dragged onto the real window with OLE by another program (e2e_drag_source) under real
// mouse input: a program let go on the add button is added, documents let go on its button are
// opened with it. Which files do which is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

// Starts the drag source with these arguments, presses on its window, carries the pointer to
// the point `to` gives and lets go there; returns the effect the bar chose (100: no drop).
DWORD dragOnto(const std::wstring& arguments, const std::function<POINT()>& to) {
    std::wstring command = L"C:\\e2e\\bin\\e2e_drag_source.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION source{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &source))
        return 101;
    waitFor([] { return topWindow(0, L"e2eDragSource") != nullptr; });
    const POINT from = centre(windowRect(topWindow(0, L"e2eDragSource")));
    retry(
        "a drag", [&] {
            click(from, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MOVE);
            const POINT end = to();
            for (int step = 1; step <= 10; ++step)
                moveMouse({from.x + (end.x - from.x) * step / 10, from.y + (end.y - from.y) * step / 10});
            click(end, MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTUP);
        },
        [&] { return WaitForSingleObject(source.hProcess, 0) == WAIT_OBJECT_0; });
    TerminateProcess(source.hProcess, 100);  // does nothing once it has ended
    DWORD effect = 100;
    GetExitCodeProcess(source.hProcess, &effect);
    CloseHandle(source.hThread);
    CloseHandle(source.hProcess);
    return effect;
}

TEST(DropTest, AProgramDraggedOnIsAddedDocumentsOnItsButtonOpenWithIt) {
    const std::wstring folder = L"C:\\e2e\\drop\\" + std::to_wstring(GetTickCount64()) + L"\\",
                       probe = folder + L"probe dir\\probe.exe";
    copyFile(L"C:\\e2e\\bin\\quevor.exe", folder + L"quevor.exe");
    copyFile(L"C:\\e2e\\bin\\setting.ini", folder + L"setting.ini");
    copyFile(L"C:\\e2e\\bin\\e2e_probe.exe", probe);
    DeleteFileW(L"C:\\e2e\\arguments.log");
    Bar bar(folder + L"quevor.exe");
    ASSERT_NE(bar.waitWindow(), nullptr);
    WaitForInputIdle(bar.process(), 20000);
    EXPECT_EQ(dragOnto(L'"' + probe + L'"', [&] { return centre(windowRect(bar.addButton())); }),
              DWORD{DROPEFFECT_COPY});
    ASSERT_TRUE(waitFor([&] { return bar.buttonCount() == 1; }));

    // A drive's root ends in a backslash, which the quoting must keep.
    const std::wstring docs[] = {folder + L"a b.txt", L"D:\\", L"C:\\文書\\メモ.txt"};
    EXPECT_EQ(dragOnto(L'"' + docs[0] + L"\" \"D:\\\\\" \"" + docs[2] + L'"',
                       [&] { return centre(bar.buttonRect(0)); }),
              DWORD{DROPEFFECT_LINK});
    ASSERT_TRUE(waitFor([] { return !readBytes(L"C:\\e2e\\arguments.log").empty(); }));
    const std::string logged = readBytes(L"C:\\e2e\\arguments.log");
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(logged.data()), logged.size() / 2),
              docs[0] + L"\r\n" + docs[1] + L"\r\n" + docs[2] + L"\r\n");
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar.window()) != FALSE; }));
}

}  // namespace
}  // namespace e2e

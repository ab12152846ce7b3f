// Files dragged onto the real window with OLE by another program (e2e_drag_source) under real
// mouse input, and a program button moved by a real drag. Which files do what, and what the bar
// stores, is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include "fixture.h"

namespace e2e {
namespace {

// The drag source started with these arguments, its window pressed, the press carried to the
// point `to` gives and let go there: the effect the bar chose (100: no drop).
DWORD dragFiles(const std::wstring& arguments, const std::function<POINT()>& to) {
    Process source(kBin + L"e2e_drag_source.exe " + arguments);
    waitFor([] { return topWindow(0, L"e2eDragSource") != nullptr; });
    const POINT from = centre(windowRect(topWindow(0, L"e2eDragSource")));
    const auto act = [&] {
        click(from, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MOVE);
        const POINT end = to();
        for (int i = 1; i <= 10; ++i)
            moveMouse({from.x + (end.x - from.x) * i / 10, from.y + (end.y - from.y) * i / 10});
        click(end, MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTUP);
    };
    retry("a drag of files", act, [&] { return !source.running(); });
    TerminateProcess(source.process(), 100);  // does nothing once it has ended
    return source.waitExit();
}

// Programs (files and a shortcut) let go on the add button are added; one is removed through
// the menu of its own button and one moved by a drag; documents let go on the probe's button
// start it with exactly their paths, in its folder, and the bar minimises.
using DropTest = BarTest;
TEST_F(DropTest, ProgramsDroppedAreAddedDocumentsDroppedOnOneOpenWithIt) {
    copyFile(kBin + L"setting.ini", settings());
    copyFile(kNotepad, L"C:\\Tools\\edit.exe");
    copyFile(kBin + L"e2e_probe.exe", L"D:\\Games\\play.exe");
    copyFile(kBin + L"e2e_probe.exe", L"C:\\Tools\\third dir\\third.exe");
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);  // kept till exit
    IShellLinkW* link = nullptr;  // a shortcut made and saved as the shell makes one
    IPersistFile* file = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
              S_OK);
    link->SetPath(L"D:\\Games\\play.exe");
    ASSERT_EQ(link->QueryInterface(IID_PPV_ARGS(&file)), S_OK);
    EXPECT_EQ(file->Save((folder + L"play.lnk").c_str(), TRUE), S_OK);
    file->Release();
    link->Release();
    const auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    WaitForInputIdle(bar->process(), 20000);
    EXPECT_EQ(dragFiles(L"C:\\Tools\\edit.exe \"" + folder +
                            L"play.lnk\" \"C:\\Tools\\third dir\\third.exe\"",
                        [&] { return centre(windowRect(bar->addButton())); }),
              DWORD{DROPEFFECT_COPY});
    ASSERT_TRUE(waitFor([&] { return bar->buttonCount() == 3; }));
    ASSERT_TRUE(
        bar->choose("the removal from the menu", 1, [&] { return bar->buttonCount() == 2; }));

    // The last button dragged onto the first (notepad's icon gives way): a move, not a click.
    const auto firstPicture = [&] {
        moveMouse({900, 700});
        return pixels(bar->buttonRect(0));
    };
    const std::vector<COLORREF> notepad = firstPicture();
    ASSERT_TRUE(retry(
        "a drag",
        [&] {
            const POINT from = centre(bar->buttonRect(1)), to = centre(bar->buttonRect(0));
            click(from, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MOVE);
            for (int x = from.x - 4; x > to.x; x -= 4) moveMouse({x, from.y});
            click(to, MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTUP);
        },
        [&] { return firstPicture() != notepad; }));
    EXPECT_TRUE(startedLog().empty());

    // A drive's root ends in a backslash, which the quoting must keep.
    const std::wstring docs[] = {folder + L"a b.txt", L"D:\\", L"C:\\文書\\メモ.txt"};
    EXPECT_EQ(dragFiles(L'"' + docs[0] + L"\" \"D:\\\\\" \"" + docs[2] + L'"',
                        [&] { return centre(bar->buttonRect(0)); }),
              DWORD{DROPEFFECT_LINK});
    ASSERT_TRUE(waitFor([] { return !startedLog().empty(); }));
    EXPECT_EQ(startedLog(), L"C:\\Tools\\third dir\\third.exe|C:\\Tools\\third dir|" + docs[0] +
                                L'|' + docs[1] + L'|' + docs[2] + L"\r\n");
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar->window()) != FALSE; }));
}

}  // namespace
}  // namespace e2e

// Programs dropped on the real window (files and a shortcut), one removed through the menu of
// its own button, one moved by a real drag; the order holds after a restart. What the bar does
// with drops, removals and moves is proved on the simulated toolkit.

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "driver.h"

namespace e2e {
namespace {

const std::wstring kBin = L"C:\\e2e\\bin\\", kFolder = L"C:\\e2e\\run\\Manage\\";

// The shell's drop: a DROPFILES block with the paths, written into the bar's own memory (a
// handle of this process means nothing there) and posted to its window.
void dropFiles(const Bar& bar, const std::vector<std::wstring>& paths) {
    const DROPFILES header{sizeof(DROPFILES), {}, FALSE, TRUE};  // wide paths after it
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, bar.pid());
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(WriteProcessMemory(process, remote, block.data(), block.size(), nullptr));
    CloseHandle(process);
    ASSERT_TRUE(PostMessageW(bar.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0));
}

void makeShortcut(const std::wstring& lnk, const std::wstring& target) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));  // kept till exit
    IShellLinkW* link = nullptr;  // made and saved as the shell makes one
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    link->SetPath(target.c_str());
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    EXPECT_TRUE(SUCCEEDED(file->Save(lnk.c_str(), TRUE)));
    file->Release();
    link->Release();
}

TEST(ManageTest, DropRemoveAndDragOnTheRealWindowThenTheOrderHoldsAfterARestart) {
    copyFile(kBin + L"quevor.exe", kFolder + L"quevor.exe");
    copyFile(kBin + L"setting.ini", kFolder + L"setting.ini");
    copyFile(L"C:\\windows\\system32\\notepad.exe", L"C:\\Tools\\edit.exe");
    copyFile(kBin + L"probe.exe", L"D:\\Games\\play.exe");
    copyFile(kBin + L"probe.exe", L"C:\\Tools\\third.exe");
    makeShortcut(kFolder + L"play.lnk", L"D:\\Games\\play.exe");
    clearStartedLog();
    moveMouse(900, 700);
    std::vector<COLORREF> notepad;  // the first button's picture before the move
    {
        Bar bar(kFolder + L"quevor.exe");
        ASSERT_NE(bar.waitWindow(), nullptr);
        dropFiles(bar, {L"C:\\Tools\\edit.exe", kFolder + L"play.lnk", L"C:\\Tools\\third.exe"});
        ASSERT_TRUE(waitFor([&] { return bar.buttonCount() == 3; }));
        // The middle button's own menu offers its removal first.
        const POINT middle = centre(bar.buttonRect(1));
        ASSERT_NE(rightPressForMenu(middle.x, middle.y), nullptr);
        chooseMenuItem(1, 5);
        ASSERT_TRUE(waitFor([&] { return bar.buttonCount() == 2; }));

        // The last button dragged onto the first (notepad's icon gives way): a move, not a
        // click. A drag that Wine did not deliver is repeated.
        moveMouse(900, 700);
        notepad = pixels(bar.buttonRect(0));
        const auto moved = [&] {
            moveMouse(900, 700);
            return pixels(bar.buttonRect(0)) != notepad;
        };
        for (int attempt = 0; attempt < 3 && !moved(); ++attempt) {
            const POINT from = centre(bar.buttonRect(1)), to = centre(bar.buttonRect(0));
            click(from.x, from.y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MOVE);
            for (int x = from.x - 4; x > to.x; x -= 4) moveMouse(x, from.y);
            click(to.x, to.y, MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTUP);
            waitFor(moved, std::chrono::milliseconds(3000));
        }
        ASSERT_TRUE(moved());
        const POINT add = centre(windowRect(bar.addButton()));
        ASSERT_NE(rightPressForMenu(add.x, add.y), nullptr);
        chooseMenuItem(1);  // 終了
        ASSERT_TRUE(bar.waitExit());
    }
    EXPECT_TRUE(startedLog().empty());

    Bar bar(kFolder + L"quevor.exe");
    ASSERT_NE(bar.waitWindow(), nullptr);
    ASSERT_EQ(bar.buttonCount(), 2);
    // The moved program is still first: notepad's picture is not there.
    moveMouse(900, 700);
    EXPECT_NE(pixels(bar.buttonRect(0)), notepad);
}

}  // namespace
}  // namespace e2e

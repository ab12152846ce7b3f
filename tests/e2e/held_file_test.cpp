// setting.ini held by a second Windows process without sharing, as a virus scanner or a sync
// client holds it (Wine enforces share modes between its processes; this driver is the other
// process). Held on, the quit says so and the bar stays open; the quit after the release lands.
// (A file held for a moment only is waited for: the Windows store's test.)

#include "core/messages.h"
#include "fixture.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

using quevor::Message;
using quevor::messageText;

TEST_F(BarTest, AQuitWhileAnotherProcessHoldsTheFile) {
    const std::string cleared = quevor::testing::clearedFile();
    writeBytes(settings(), cleared);
    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    HANDLE held =
        CreateFileW(settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND box = nullptr;
    ASSERT_TRUE(bar->choose("the quit of a file held on", -1,
                            [&] { return (box = topWindow(bar->pid(), L"#32770")) != nullptr; }));
    const std::wstring path = settings();
    const std::u16string said =
        messageText(Message::notSavedQuit,
                    {messageText(Message::fileInUse, {std::u16string(path.begin(), path.end())})});
    EXPECT_EQ(windowText(GetDlgItem(box, 0xffff)), std::wstring(said.begin(), said.end()));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    CloseHandle(held);
    EXPECT_EQ(readBytes(settings()), cleared);
    EXPECT_TRUE(bar->running());
    ASSERT_TRUE(bar->choose("the quit after the release", -1, [&] { return !bar->running(); }));
    EXPECT_EQ(bar->waitExit(), 0u);
    EXPECT_NE(readBytes(settings()), cleared);
}

}  // namespace
}  // namespace e2e

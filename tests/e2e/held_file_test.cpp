// setting.ini held by a second Windows process without sharing, as a virus scanner or a sync
// client holds it (Wine enforces share modes between its processes; this driver is the other
// process). Held for a moment, the quit waits and lands; held longer, the bar stays open and
// says so, and the quit after the release lands.

#include <thread>

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
    const auto hold = [&] {
        return CreateFileW(settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    {
        auto bar = start();
        ASSERT_NE(bar->waitWindow(), nullptr);
        const HANDLE held = hold();
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread releaser([&] {  // a second after the item is chosen
            waitFor([] { return popupMenu() != nullptr; });
            waitFor([] { return popupMenu() == nullptr; });
            Sleep(1000);
            CloseHandle(held);
        });
        const bool quit = bar->choose("the quit of a file held for a second", -1,
                                      [&] { return !bar->running(); });
        releaser.join();
        ASSERT_TRUE(quit);
        EXPECT_EQ(bar->waitExit(), 0u);
        EXPECT_NE(readBytes(settings()), cleared);
    }

    const std::string saved = readBytes(settings());
    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    HANDLE held = hold();
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
    EXPECT_EQ(readBytes(settings()), saved);
    EXPECT_TRUE(bar->running());
    writeBytes(settings(), cleared);  // changed meanwhile: the next quit writes it again
    ASSERT_TRUE(bar->choose("the quit after the release", -1, [&] { return !bar->running(); }));
    EXPECT_EQ(bar->waitExit(), 0u);
    EXPECT_EQ(readBytes(settings()), saved);
}

}  // namespace
}  // namespace e2e

#include "bar_fixture.h"

namespace quevor::testing {
namespace {

using sim::SimWindow;

std::vector<std::string> programs(int count) {
    std::vector<std::string> paths;
    for (int n = 1; n <= count; ++n) paths.push_back("C:\\p" + std::to_string(n) + ".exe");
    return paths;
}

using TitleBarTest = BarTest;

// Hidden by the menu or by start-up (a stored "T:1"), the window fits the buttons.
TEST_F(TitleBarTest, HidingFitsTheWindowToTheButtonsAndClearsOnlyTheCaptionBits) {
    struct Row {
        int buttons;
        float width;
    };
    for (const bool atStartUp : {false, true}) {
        for (const Row row : {Row{0, 615}, Row{1, 1200}, Row{2, 1785}, Row{14, 8805}, Row{15, 8775}}) {
            SCOPED_TRACE("buttons: " + std::to_string(row.buttons) + (atStartUp ? ", at start-up" : ""));
            Rig rig(*codec, savedFile(programs(row.buttons), "3000.4", "0", atStartUp ? "1" : "0", "X:-300Y:450"),
                    programs(row.buttons));
            auto& fresh = rig.sim;
            if (!atStartUp) {
                fresh.window.setStyle(fresh.window.style() | 0x1);  // an unrelated bit must survive
                rig.bar.hideTitleBar();
            }
            EXPECT_EQ(fresh.window.width(), row.width);
            EXPECT_EQ(fresh.window.height(), 650.0f);
            EXPECT_EQ(fresh.window.style(), (SimWindow::kDesignStyle | (atStartUp ? 0 : 0x1)) & 0xFF3FFFFF);
            EXPECT_EQ(fresh.window.left(), -300.0f);
            EXPECT_EQ(fresh.window.top(), 450.0f);
            EXPECT_EQ(rig.bar.state().savedWidth, 3000);
            EXPECT_EQ(rig.bar.state().titleBarHidden, 1);
            EXPECT_TRUE(fresh.menu.visible(MenuItem::showTitleBar));
            EXPECT_FALSE(fresh.menu.visible(MenuItem::hideTitleBar));
            EXPECT_TRUE(fresh.window.topmost());
            EXPECT_TRUE(rig.files.writes.empty());
        }
    }
}

TEST_F(TitleBarTest, ShowingRebuildsTheWidthWithThe588PitchUnlessTheSavedWidthIsLarger) {
    struct Row {
        int buttons;
        std::string storedWidth;
        float shownWidth;
        int16 savedAfter;
    };
    const Row rows[] = {
        {2, "1785", 1891, 1785},   // saved width not above 2 x 588 + 615: 2 x 588 + 715
        {0, "600", 735, 735},      // raised to 735, which exceeds 615
        {3, "5000", 5000, 5000},   // a wide window comes back as it was
        {15, "8775", 8920, 8775},  // 15 x 588 + 715 = 9535, less 615 for the full bar
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("buttons " + std::to_string(row.buttons) + ", width " + row.storedWidth);
        Rig rig(*codec, savedFile(programs(row.buttons), row.storedWidth),
                programs(row.buttons));
        auto& fresh = rig.sim;
        Bar& freshBar = rig.bar;
        freshBar.hideTitleBar();
        freshBar.showTitleBar();

        EXPECT_EQ(fresh.window.width(), row.shownWidth);
        EXPECT_EQ(fresh.window.height(), 1125.0f);
        EXPECT_EQ(fresh.window.style(), SimWindow::kDesignStyle);
        EXPECT_EQ(freshBar.state().savedWidth, row.savedAfter);
        EXPECT_EQ(freshBar.state().titleBarHidden, 0);
        EXPECT_FALSE(fresh.menu.visible(MenuItem::showTitleBar));
        EXPECT_TRUE(fresh.menu.visible(MenuItem::hideTitleBar));
    }
}

TEST_F(TitleBarTest, AddingWhileHiddenDoesNotMoveTheSavedWidth) {
    sim.platform.declareProgram(u"C:\\new.exe");
    startWith(savedFile(programs(2), "4000"), {u"C:\\p1.exe", u"C:\\p2.exe"});
    bar.hideTitleBar();
    add(u"C:\\new.exe");
    EXPECT_EQ(sim.window.width(), 1785.0f + 585);
    EXPECT_EQ(bar.state().savedWidth, 4000);
    bar.showTitleBar();
    EXPECT_EQ(sim.window.width(), 4000.0f);
}

}  // namespace
}  // namespace quevor::testing

#include "bar_fixture.h"

namespace quevor::testing {
namespace {

using sim::SimWindow;

std::vector<std::string> programs(int count) {
    std::vector<std::string> paths;
    for (int n = 1; n <= count; ++n) paths.push_back("C:\\p" + std::to_string(n) + ".exe");
    return paths;
}

// Hidden by the menu or by start-up (a stored "T:1"), the window fits the buttons.
TEST(TitleBarTest, HidingFitsTheWindowToTheButtonsAndClearsOnlyTheCaptionBits) {
    const struct {
        int buttons;
        float width;
    } rows[] = {{0, 615}, {1, 1200}, {2, 1785}, {14, 8805}, {15, 8775}};
    for (const bool atStartUp : {false, true}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::to_string(row.buttons) + (atStartUp ? " at start-up" : ""));
            Rig t(savedFile(programs(row.buttons), "3000.4", "0", atStartUp ? "1" : "0",
                            "X:-300Y:450"),
                  programs(row.buttons));
            const std::uint32_t other = atStartUp ? 0 : 0x1;  // an unrelated bit must survive
            if (!atStartUp) {
                t.sim.window.setStyle(t.sim.window.style() | other);
                t.bar.hideTitleBar();
            }
            EXPECT_EQ(t.sim.window.width(), row.width);
            EXPECT_EQ(t.sim.window.height(), 650.0f);
            EXPECT_EQ(t.sim.window.style(), (SimWindow::kDesignStyle | other) & 0xFF3FFFFF);
            EXPECT_EQ(t.bar.state().savedWidth, 3000);
            EXPECT_EQ(t.bar.state().titleBarHidden, 1);
            EXPECT_TRUE(t.sim.menu.visible(MenuItem::showTitleBar));
            EXPECT_FALSE(t.sim.menu.visible(MenuItem::hideTitleBar));
        }
    }
}

TEST(TitleBarTest, ShowingRebuildsTheWidthWithThe588PitchUnlessTheSavedWidthIsLarger) {
    const struct {
        int buttons;
        std::string storedWidth;
        float shownWidth;
        int16 savedAfter;
    } rows[] = {
        {2, "1785", 1891, 1785},   // saved width not above 2 x 588 + 615: 2 x 588 + 715
        {1, "1203", 1303, 1203},   // nor when just equal to 1 x 588 + 615
        {0, "600", 735, 735},      // raised to 735, which exceeds 615
        {3, "5000", 5000, 5000},   // a wide window comes back as it was
        {15, "8775", 8920, 8775},  // 15 x 588 + 715 = 9535, less 615 for the full bar
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.buttons) + " buttons, width " + row.storedWidth);
        Rig t(savedFile(programs(row.buttons), row.storedWidth), programs(row.buttons));
        t.bar.hideTitleBar();
        t.bar.showTitleBar();
        EXPECT_EQ(t.sim.window.width(), row.shownWidth);
        EXPECT_EQ(t.sim.window.height(), 1125.0f);
        EXPECT_EQ(t.sim.window.style(), SimWindow::kDesignStyle);
        EXPECT_EQ(t.bar.state().savedWidth, row.savedAfter);
        EXPECT_EQ(t.bar.state().titleBarHidden, 0);
        EXPECT_FALSE(t.sim.menu.visible(MenuItem::showTitleBar));
        EXPECT_TRUE(t.sim.menu.visible(MenuItem::hideTitleBar));
    }
}

}  // namespace
}  // namespace quevor::testing

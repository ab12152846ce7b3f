#include "bar_fixture.h"

namespace quevor::testing {
namespace {

// Hidden, the window fits the buttons at their pitch and the add button; shown again, the width
// is rebuilt with a pitch of 588 unless the width saved on hiding is larger. A full bar leaves
// the add button outside either way.
TEST(TitleBarTest, HidingFitsTheWindowToTheButtonsShowingRebuildsTheWidth) {
    const struct {
        int buttons;
        std::string storedWidth;
        float hiddenWidth, shownWidth;
        int16 saved;
    } rows[] = {
        {0, "600", 615, 735, 735},      // raised to 735, which exceeds 615
        {1, "1203", 1200, 1303, 1203},  // not above 1 x 588 + 615: 1 x 588 + 715
        {2, "1785", 1785, 1891, 1785},  // nor below
        {3, "5000", 2370, 5000, 5000},  // a wide window comes back as it was
        {14, "3000.4", 8805, 8947, 3000},
        {15, "8775", 8775, 8920, 8775},  // 15 x 588 + 715 = 9535, less 615 for the full bar
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.buttons) + " buttons, width " + row.storedWidth);
        // A stored "T:5" shows the title bar and is kept; toggling it stores 1 or 0.
        const auto programs = paths("p1..p" + std::to_string(row.buttons));
        Rig t(savedFile(programs, row.storedWidth, "0", "5"), programs);
        t.expectTitleBar(false, 5);
        for (const bool hidden : {true, false}) {
            hidden ? t.bar.hideTitleBar() : t.bar.showTitleBar();
            EXPECT_EQ(t.sim.window.width(), hidden ? row.hiddenWidth : row.shownWidth);
            EXPECT_EQ(t.sim.window.height(), hidden ? 650.0f : 1125.0f);
            t.expectTitleBar(hidden, hidden ? 1 : 0);
        }
        EXPECT_EQ(t.bar.state().savedWidth, row.saved);
    }
}

}  // namespace
}  // namespace quevor::testing

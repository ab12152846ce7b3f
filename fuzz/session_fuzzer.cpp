// A whole run of the bar on the simulated toolkit: start-up on any settings file, then clicks
// (add with any chosen path, a program button, the title-bar items, minimise) and finally quit or
// clear. Every step ends normally or in the one error type, never in undefined behaviour; a quit
// that completes leaves a file on which the next start-up finds every program the bar held.
//
// Input: the settings file, then the user's choices, then one byte giving the choices' length
// (modulo 64), so that a plain settings file as seed ends in a few clicks taken from its tail.

#include "live_values.h"
#include "shell/bar.h"
#include "toolkit/sim/sim_toolkit.h"

using namespace quevor;
using namespace quevor::testing;

namespace {

struct Session {
    sim::SimToolkit sim;
    quevor::Bar bar;
    explicit Session(FileStore& store) : bar(sim.toolkit(), store, cp932()) {
        sim.platform.searchFolders = {kSettingsPath.substr(0, kSettingsPath.rfind(u'/'))};
        sim.platform.virtualFiles = {kSettingsPath};
        sim.platform.declareProgram(u"C:\\Tools\\edit.exe");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t choices = std::min<std::size_t>(data[size - 1] % 64, size - 1);
    const std::size_t fileSize = size - 1 - choices;
    FuzzedDataProvider in(data + fileSize, choices);
    MemoryStore store;
    store.files[kSettingsPath] = std::string(reinterpret_cast<const char*>(data), fileSize);
    Session bar(store);
    const bool started = completes([&] { bar.bar.start(); });
    require(store.writes.empty(), "start-up wrote the file");
    if (!started) return 0;

    bool quit = false, stopped = false;
    std::u16string expected[16];
    for (int step = 0; step < 24 && !stopped && !bar.sim.platform.ended(); ++step) {
        const int action = in.ConsumeIntegralInRange<int>(0, 5);
        std::vector<MenuItem> items;
        for (const MenuItem item : bar.sim.menu.visibleItems()) {
            if (item != MenuItem::separator) items.push_back(item);
        }
        stopped = !completes([&] {
            switch (action) {
                case 0: {  // the add button, the dialog answering with a path or cancelled
                    const std::u16string chosen = in.ConsumeBool() ? u"" : fuzz::consumePath(in);
                    if (in.ConsumeBool()) bar.sim.platform.declareProgram(chosen);
                    bar.sim.dialog.answers.assign(1, chosen);
                    bar.bar.onAddButtonClick();
                    bar.sim.dialog.answers.clear();
                    break;
                }
                case 1: {  // a program button, or a key no button has
                    const auto& buttons = bar.sim.toolbar.buttons();
                    const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, buttons.size());
                    bar.bar.onProgramButtonClick(pick < buttons.size() ? buttons[pick].key
                                                                    : u"k1" + ascii(std::to_string(pick + 1)));
                    break;
                }
                default: {  // the right button and a menu item, or the menu dismissed
                    const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, items.size());
                    const bool quitting = pick < items.size() && items[pick] == MenuItem::quit;
                    if (quitting) {
                        const SlotTable& slots = bar.bar.state().slots;
                        for (int n = 1; n <= kSlotCount; ++n) {
                            expected[n] = slots.addedPaths(n).empty() ? slots.loadedPaths(n)
                                                                      : slots.addedPaths(n);
                        }
                    }
                    bar.sim.menu.answers.push_back(pick < items.size() ? sim::SimMenu::Answer(items[pick])
                                                                       : std::nullopt);
                    in.ConsumeBool() ? bar.bar.onToolbarMouseDown(2, 0, 0, 0)
                                     : bar.bar.onAddButtonMouseDown(2, 0, 0, 0);
                    quit = quitting && bar.sim.platform.ended();  // a save it could not verify keeps the bar open
                    break;
                }
            }
        });
    }
    if (!quit || stopped) return 0;

    bool promised = true;
    for (int n = 1; n <= kSlotCount; ++n) promised = promised && storableSlot(expected[n], n);
    if (!promised) return 0;
    Session next(store);
    require(completes([&] { next.bar.start(); }),
            "the next start-up fails on\n  " + shownBytes(store.files.at(kSettingsPath)));
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::u16string want = expected[n].empty() ? placeholder(n) : expected[n];
        require(next.bar.state().slots.loadedPaths(n) == want,
                "slot " + std::to_string(n) + " came back as " + toUtf8(next.bar.state().slots.loadedPaths(n)) +
                    " instead of " + toUtf8(want));
    }
    return 0;
}

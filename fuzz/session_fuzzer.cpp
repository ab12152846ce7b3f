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

struct Session {
    sim::SimToolkit sim;
    Bar bar;
    explicit Session(FileStore& store) : bar(sim.toolkit(), store, cp932()) {
        sim.platform.searchFolders = {kSettingsPath.substr(0, kSettingsPath.rfind(u'/'))};
        sim.platform.virtualFiles = {kSettingsPath};
        sim.platform.declareProgram(u"C:\\Tools\\edit.exe");
    }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t choices = std::min<std::size_t>(data[size - 1] % 64, size - 1);
    FuzzedDataProvider in(data + size - 1 - choices, choices);
    MemoryStore store;
    store.files[kSettingsPath].assign(reinterpret_cast<const char*>(data), size - 1 - choices);
    Session s(store);
    bool stopped = !completes([&] { s.bar.start(); }), promised = false;
    require(store.writes.empty(), "start-up wrote the file");

    std::u16string expected[16];  // the programs the bar holds before the last step
    for (int step = 0; step < 24 && !stopped && !s.sim.platform.ended(); ++step) {
        for (int n = 1; n <= kSlotCount; ++n) {
            const std::u16string& added = s.bar.state().slots.at(n).addedPath;
            expected[n] = added.empty() ? s.bar.state().slots.at(n).loadedPath : added;
        }
        const int action = in.ConsumeIntegralInRange<int>(0, 5);
        stopped = !completes([&] {
            if (action == 0) {  // the add button, the dialog answering with a path or cancelled
                const std::u16string chosen = in.ConsumeBool() ? u"" : fuzz::consumePath(in);
                if (in.ConsumeBool()) s.sim.platform.declareProgram(chosen);
                s.sim.dialog.answers.assign(1, chosen);
                s.bar.onAddButtonClick();
            } else if (action == 1) {  // a program button, or a key no button has
                const auto& buttons = s.sim.toolbar.buttons();
                const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, buttons.size());
                s.bar.onProgramButtonClick(pick < buttons.size() ? buttons[pick].key
                                                                 : buttonKeyFor(int(pick) + 1));
            } else {  // the right button on the toolbar or the add button, then the menu
                std::vector<sim::SimMenu::Answer> items(1);  // the menu dismissed, or an item
                for (const MenuItem item : s.sim.menu.visibleItems()) {
                    if (!isSeparator(item)) items.push_back(item);
                }
                const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, items.size() - 1);
                s.sim.menu.answers.push_back(items[pick]);
                in.ConsumeBool() ? s.bar.onToolbarMouseDown(2, 0, 0, 0)
                                 : s.bar.onAddButtonMouseDown(2, 0, 0, 0);
                // A quit that completed (a save it could not verify keeps the bar open) promises
                // the next start-up every program the bar held, if each is one a file can hold.
                promised = items[pick] == MenuItem::quit && s.sim.platform.ended();
            }
        });
    }
    for (int n = 1; n <= kSlotCount; ++n) promised = promised && storableSlot(expected[n], n);
    if (!promised) return 0;

    Session next(store);
    next.bar.start();  // one that stops throws out of the target: a crash, the input kept
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::u16string want = expected[n].empty() ? placeholder(n) : expected[n];
        const std::u16string& got = next.bar.state().slots.at(n).loadedPath;
        require(got == want, "slot " + std::to_string(n) + " came back as " + toUtf8(got) +
                                 " instead of " + toUtf8(want));
    }
    return 0;
}

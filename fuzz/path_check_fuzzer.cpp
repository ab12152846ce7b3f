// Every path the add check accepts goes through a quit and the next start-up unchanged, in every
// slot, next to other programs or alone: the save writes it, start-up reads it back in its
// stored form, a further quit keeps the bytes, and a clear still gives the cleared file.
//
// Input: UTF-8 text taken as the path the open-file dialog returned; or, after a leading "#",
// choices that build a path from pieces of real paths and of the file's own key and marker texts.

#include "live_values.h"
#include "storable.h"

using namespace quevor;
using namespace quevor::fuzz;

namespace {

std::string clearedFile() { return toUtf8(clearedStateText()) + "\r\n"; }

std::string twoProgramsFile() {
    testing::MemoryStore store;
    store.files[kSettingsPath] = clearedFile();
    LiveBar bar;
    bar.addedPaths[1] = u"C:\\Tools\\edit.exe";
    bar.addedPaths[2] = u"D:\\ゲーム\\play.exe";
    bar.width = 1905;
    bar.addLeft = 1170;
    saveSettings(SettingsFile(kSettingsPath, store, cp932()), bar);
    return store.files.at(kSettingsPath);
}

void roundTrip(const std::string& base, const std::u16string& chosen, const std::u16string& stored, int slot) {
    testing::MemoryStore store;
    store.files[kSettingsPath] = base;
    const SettingsFile file(kSettingsPath, store, cp932());
    const std::string where = " (slot " + std::to_string(slot) + ", path " + toUtf8(chosen) + ")";

    // Start-up, the add into this slot (one button step wider), quit.
    LiveBar bar = LiveBar::fromLoaded(readAllSettings(file));
    bar.addedPaths[slot] = stored;
    bar.width += 585;
    bar.addLeft += 585;
    const LiveBar live = bar;
    saveSettings(file, bar);
    const std::string saved = store.files.at(kSettingsPath);

    StoredSettings next;
    require(completes([&] { next = readAllSettings(file); }), "the saved file does not load" + where);
    require(next.slotPaths[slot - 1] == stored, "the path came back as " +
                                                    toUtf8(next.slotPaths[slot - 1].value_or(u"(none)")) + where);
    require(next == expectedAfterSave(live), "other values changed" + where + "\n  " + describe(next));

    // The next run quits without a change: the same bytes.
    LiveBar restarted = LiveBar::fromLoaded(next);
    saveSettings(file, restarted);
    require(store.files.at(kSettingsPath) == saved, "a restart and quit changed the bytes" + where);

    // Clear and quit leaves the cleared file, the path gone with the rest.
    clearSettings(file);
    require(store.files.at(kSettingsPath) == clearedFile(), "clearing did not give the cleared file" + where +
                                                                 "\n  " + shownBytes(store.files.at(kSettingsPath)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string chosen;
    if (size > 0 && data[0] == '#') {
        FuzzedDataProvider in(data + 1, size - 1);
        chosen = consumePath(in);
    } else {
        chosen = fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    }
    if (!storablePath(chosen, cp932())) return 0;
    const std::u16string stored = storedPathFor(chosen);
    require(storablePath(stored, cp932()), "the stored form of an accepted path is refused");

    static const std::string bases[] = {clearedFile(), twoProgramsFile()};
    for (const std::string& base : bases) {
        for (int slot = 1; slot <= kSlotCount; ++slot) roundTrip(base, chosen, stored, slot);
    }
    return 0;
}

#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/codec.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// The filter of the open-file dialog: one entry, exe files.
inline constexpr std::u16string_view kProgramFilter = u"exeファイル(*.exe)|*.exe";

// The programs the user adds, by the dialog or by dropping files. Each program's file is looked
// at as soon as it is chosen, and the adds complete in the order they were asked for as their
// answers come: slots, buttons, messages and the bar's size come out exactly as they would had
// every file answered at once, however slowly some drive answers. Lives as long as the bar.
//
// An add fills the lowest free slot, makes its button, records it for the next save, moves the
// add button one step right and widens the window by the same step (the add that takes the last
// slot leaves the width). A path the settings file cannot hold, or a program whose icon is not
// found (the file is gone), is refused with a message naming it as given.
class AddQueue {
  public:
    AddQueue(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec)
        : slots_(slots), toolkit_(toolkit), codec_(codec) {}
    AddQueue(const AddQueue&) = delete;
    AddQueue& operator=(const AddQueue&) = delete;

    // A click on the add button: the program chosen in the open-file dialog. A cancelled
    // dialog adds nothing. With every slot taken it opens no dialog and tells the user so.
    void addChosenProgram();
    // Files dropped on the bar, taken one by one in the order given, each exactly as if chosen
    // in the dialog; a shortcut (.lnk) stands for the program it points to. Once every slot is
    // taken the rest of the drop is left and the user is told so, once.
    void addDroppedPrograms(const std::vector<std::u16string>& paths);

  private:
    struct Entry {
        int number;  // the add's place in the order asked for
        int group;   // the drop it came with: a full bar ends the rest of that drop
        std::u16string path;
        std::u16string named;  // how the user is told of it
        std::optional<std::u16string> refusal;
        bool answered = false;
        std::unique_ptr<Icon> icon;  // the answer: nullptr for a missing program
    };
    // refusal: the message when the add is already refused (a shortcut that cannot be read).
    void ask(int group, const std::u16string& chosen, const std::u16string& named,
             std::optional<std::u16string> refusal = std::nullopt);
    void answer(int number, std::unique_ptr<Icon> icon);
    // Completes the adds whose answers are in, in order, up to the first still waiting.
    void completeAnswered();
    void complete(Entry& entry);

    SlotTable& slots_;
    Toolkit& toolkit_;
    const TextCodec& codec_;
    std::deque<Entry> waiting_;
    int lastNumber_ = 0;
    int lastGroup_ = 0;
    int fullGroup_ = 0;  // the group whose rest is left because the bar is full
};

// What the user is told when an add finds every slot taken: with the programs that could not be
// found, when some of them hold slots, and how to free those.
std::u16string fullBarMessage(const SlotTable& slots);

}  // namespace quevor

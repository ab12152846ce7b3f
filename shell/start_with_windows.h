#pragma once

#include <string>

#include "toolkit/toolkit.h"

namespace quevor {

// The bar's start-up entry: the command the system runs at the user's sign-in.

// Whether the command starts this very program: the whole command is its file's path, in
// quotes or not, spelt any way that names the same file. A command with arguments after the
// path is someone else's: the bar takes none.
bool startsThisProgram(Platform& platform, const std::u16string& command);

// Reads the entry and shows in the menu whether it starts this program (unchecked when it
// cannot be read). Returns what was read, for the choice of the item.
StartupEntry showStartWithWindows(Toolkit& toolkit);

// The item chosen, with the entry as read when the menu opened: an entry that starts this
// program is taken away; otherwise (none, or one that starts another file) the entry becomes
// this program's path in quotes. An entry that could not be read is left alone. A failure is
// reported.
void toggleStartWithWindows(Toolkit& toolkit, const StartupEntry& read);

}  // namespace quevor

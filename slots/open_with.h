#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "slots/add_program.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// The longest command line a program can be started with: CreateProcess takes at most 32767
// characters, its terminating null included, and ShellExecuteEx starts a program file with
// the command line "\"PATH\" PARAMETERS".
inline constexpr std::size_t kCommandLineLimit = 32767;

// Whether a drop holds anything but programs: a program's name ends in ".exe", or it is a
// shortcut (.lnk) to one.
bool holdsDocuments(const std::vector<std::u16string>& paths, Platform& platform);

// The paths as one parameter text: each in double quotes, separated by blanks, the backslashes
// before a closing quote doubled, so that CommandLineToArgvW gives the program back exactly
// these paths.
std::u16string quotedParameters(const std::vector<std::u16string>& paths);

// Files let go on the program button with this key. A drop of programs only is added as a drop
// anywhere else is. Otherwise the button's program is started with the dropped paths as its
// parameters (shortcuts as themselves, as the shell passes them) and the window minimises; a
// program that will not start, or a parameter text longer than a command line can be, leaves
// the window as it is and tells the user why.
void dropOnProgram(const SlotTable& slots, AddQueue& adds, Toolkit& toolkit,
                   const std::u16string& key, const std::vector<std::u16string>& paths);

}  // namespace quevor

#pragma once

// quevor-sim's script lines: reading them, and taking their arguments apart. A line or an
// argument that does not fit throws SimUsageError with what was expected.

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <utility>

#include "core/int16.h"
#include "toolkit/toolkit.h"

namespace quevor::sim {

struct ScriptLine {
    std::string command;
    std::string argument;  // the rest of the line after the command and its separating blanks
};

// The next line that is not blank or a comment ("# ..."); lineNumber counts every line read.
std::optional<ScriptLine> readScriptLine(std::istream& in, int& lineNumber);

[[noreturn]] void usage(const std::string& message);
void noArgument(const ScriptLine& line);
std::u16string pathArgument(const ScriptLine& line);

// "press TARGET BUTTON [KEY]": BUTTON 1 (left), 2 (right) or 4 (middle); a KEY only on the
// toolbar, naming the program button pressed (checkKey is asked whether one has it).
struct Press {
    std::string target;
    int16 button = 0;
    std::string key;  // empty: the toolbar itself, or the add button
};
Press pressArgument(const ScriptLine& line,
                    const std::function<void(const std::string&)>& checkKey);

// "shortcut LNK TARGET": LNK ends at its ".lnk", so either path may hold blanks.
std::pair<std::u16string, std::u16string> shortcutArgument(const ScriptLine& line);

// "drag KEY POSITION": POSITION a whole number from 1 to buttonCount.
std::pair<std::string, int16> dragArgument(const ScriptLine& line, std::size_t buttonCount);

// "drop PATH [on KEY]": KEY, when given, is "k" and digits after the line's last " on ".
std::pair<std::u16string, std::optional<std::string>> dropArgument(const ScriptLine& line);

// "move LEFT TOP" in twips.
std::pair<float, float> moveArgument(const ScriptLine& line);

// "key NAME": left, right, tab, enter, space, delete, apps, f10 or a digit, after any of the
// prefixes shift+ and ctrl+; the key and the modifiers' bits.
std::pair<Key, int16> keyArgument(const ScriptLine& line);

}  // namespace quevor::sim

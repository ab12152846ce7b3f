#include "app/sim/script.h"

#include <cctype>
#include <cmath>

#include "core/number.h"
#include "core/text.h"
#include "toolkit/sim/sim_log.h"

namespace quevor::sim {

std::optional<ScriptLine> readScriptLine(std::istream& in, int& lineNumber) {
    std::string text;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const std::size_t start = text.find_first_not_of(" \t");
        if (start == std::string::npos || text[start] == '#') continue;
        ScriptLine line;
        const std::size_t end = text.find_first_of(" \t", start);
        line.command = text.substr(start, end == std::string::npos ? end : end - start);
        if (end != std::string::npos) {
            const std::size_t argument = text.find_first_not_of(" \t", end);
            if (argument != std::string::npos) line.argument = text.substr(argument);
        }
        return line;
    }
    return std::nullopt;
}

void usage(const std::string& message) { throw SimUsageError(message); }

void noArgument(const ScriptLine& line) {
    if (!line.argument.empty()) usage(line.command + " takes no argument");
}

std::u16string pathArgument(const ScriptLine& line) {
    if (line.argument.empty()) usage(line.command + " needs a PATH");
    return fromUtf8(line.argument);
}

Press pressArgument(const ScriptLine& line,
                    const std::function<void(const std::string&)>& checkKey) {
    Press press;
    const std::size_t space = line.argument.find_first_of(" \t");
    press.target = line.argument.substr(0, space);
    const std::size_t codeStart = line.argument.find_first_not_of(" \t", space);
    std::string code = codeStart == std::string::npos ? "" : line.argument.substr(codeStart);
    if (const std::size_t keyAt = code.find_first_of(" \t"); keyAt != std::string::npos) {
        const std::size_t keyStart = code.find_first_not_of(" \t", keyAt);
        if (keyStart != std::string::npos) press.key = code.substr(keyStart);
        code.resize(keyAt);
    }
    if (!press.key.empty()) {
        if (press.target != "toolbar") usage("press: only a toolbar press names a button's KEY");
        checkKey(press.key);
    }
    if (code != "1" && code != "2" && code != "4") {
        usage("press needs TARGET BUTTON, BUTTON being 1 (left), 2 (right) or 4 (middle)");
    }
    press.button = static_cast<int16>(code[0] - '0');
    if (press.target != "toolbar" && press.target != "add") {
        usage("press: TARGET is toolbar or add, not \"" + press.target + "\"");
    }
    return press;
}

std::pair<std::u16string, std::u16string> shortcutArgument(const ScriptLine& line) {
    std::string lower = line.argument;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t end = lower.find(".lnk");
    const std::size_t targetAt =
        end == std::string::npos ? end : line.argument.find_first_not_of(" \t", end + 4);
    if (targetAt == std::string::npos || targetAt == end + 4)
        usage("shortcut needs LNK TARGET, LNK ending in .lnk");
    return {fromUtf8(line.argument.substr(0, end + 4)), fromUtf8(line.argument.substr(targetAt))};
}

std::pair<std::string, int16> dragArgument(const ScriptLine& line, std::size_t buttonCount) {
    const std::size_t space = line.argument.find_first_of(" \t");
    double position = 0;  // none given: no place
    if (space != std::string::npos) {
        if (const auto parsed = parseNumber(fromUtf8(line.argument.substr(space))))
            position = *parsed;
    }
    if (!(position >= 1 && position <= static_cast<double>(buttonCount)) ||
        position != std::floor(position))
        usage("drag needs KEY POSITION, POSITION a button's place from 1 to the last");
    return {line.argument.substr(0, space), static_cast<int16>(position)};
}

std::pair<std::u16string, std::optional<std::string>> dropArgument(const ScriptLine& line) {
    const std::size_t on = line.argument.rfind(" on k");
    if (on != std::string::npos && on > 0 &&
        line.argument.find_first_not_of("0123456789", on + 5) == std::string::npos) {
        const std::string key = line.argument.substr(on + 4);
        return {pathArgument({line.command, line.argument.substr(0, on)}), key};
    }
    return {pathArgument(line), std::nullopt};
}

std::pair<Key, int16> keyArgument(const ScriptLine& line) {
    static const std::pair<const char*, Key> kNames[] = {
        {"left", Key::left},   {"right", Key::right}, {"tab", Key::tab},   {"enter", Key::enter},
        {"space", Key::space}, {"delete", Key::del},  {"apps", Key::menu}, {"f10", Key::f10}};
    static const std::pair<const char*, int16> kPrefixes[] = {{"shift+", kShiftHeld},
                                                              {"ctrl+", kControlHeld}};
    std::string name = line.argument;
    int16 shift = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, bit] : kPrefixes) {
            if (name.rfind(prefix, 0) == 0 && !(shift & bit)) {
                name.erase(0, std::string(prefix).size());
                shift = static_cast<int16>(shift | bit);
                found = true;
            }
        }
    }
    for (const auto& [known, key] : kNames) {
        if (name == known) return {key, shift};
    }
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        return {digitKey(name[0] - '0'), shift};
    usage(
        "key needs NAME: left, right, tab, enter, space, delete, apps, f10 or a digit, after any "
        "of shift+ and ctrl+");
}

std::pair<float, float> moveArgument(const ScriptLine& line) {
    const std::u16string argument = fromUtf8(line.argument);
    const std::size_t space = argument.find_first_of(u" \t");
    std::optional<double> left;
    std::optional<double> top;
    if (space != std::u16string::npos) {
        left = parseNumber(argument.substr(0, space));
        top = parseNumber(argument.substr(space));
    }
    if (!left || !top) usage("move needs LEFT TOP in twips");
    return {static_cast<float>(*left), static_cast<float>(*top)};
}

}  // namespace quevor::sim

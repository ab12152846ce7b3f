#include "slots/open_with.h"

#include "core/messages.h"
#include "core/text.h"
#include "slots/add_program.h"
#include "slots/path_check.h"
#include "slots/start_program.h"

namespace quevor {
namespace {

// One path in the quotes CommandLineToArgvW takes apart: backslashes are plain characters
// except in front of a quote, so those at the end (a drive's root) are doubled. A path holds
// no quote itself: Windows file names cannot.
void appendQuoted(std::u16string& out, const std::u16string& path) {
    const std::size_t kept = path.find_last_not_of(u'\\') + 1;  // npos + 1: all backslashes
    out += u'"';
    out += path;
    out.append(path.size() - kept, u'\\');
    out += u'"';
}

}  // namespace

bool holdsDocuments(const std::vector<std::u16string>& paths, Platform& platform) {
    for (const std::u16string& path : paths) {
        if (endsWithAnyCase(path, u".exe")) continue;
        if (endsWithAnyCase(path, u".lnk")) {
            const ShortcutTarget target = platform.resolveShortcut(path);
            if (target.path && endsWithAnyCase(*target.path, u".exe")) continue;
        }
        return true;
    }
    return false;
}

std::u16string quotedParameters(const std::vector<std::u16string>& paths) {
    std::u16string parameters;
    for (const std::u16string& path : paths) {
        if (!parameters.empty()) parameters += u' ';
        appendQuoted(parameters, path);
    }
    return parameters;
}

void dropOnProgram(const SlotTable& slots, AddQueue& adds, Toolkit& toolkit,
                   const std::u16string& key, const std::vector<std::u16string>& paths) {
    const int slot = slotOfKey(key);
    const std::u16string program = slot == 0 ? std::u16string() : slots.programPath(slot);
    if (program.empty() || !holdsDocuments(paths, toolkit.platform)) {
        adds.addDroppedPrograms(paths);
        return;
    }
    const std::u16string parameters = quotedParameters(paths);
    // Checked here rather than left to the system, which would say only that the start failed.
    const std::size_t length = program.size() + 3 + parameters.size();
    if (length >= kCommandLineLimit) {
        toolkit.platform.showMessage(messageText(Message::parametersTooLong,
                                                 {program, ascii(std::to_string(length)),
                                                  ascii(std::to_string(kCommandLineLimit - 1))}));
        return;
    }
    startProgram(toolkit, StartRequest{program, parameters, false});
}

}  // namespace quevor

#include "shell/start_with_windows.h"

#include "core/messages.h"

namespace quevor {
namespace {

constexpr std::u16string_view kBlanks = u" \t";

}  // namespace

bool startsThisProgram(Platform& platform, const std::u16string& command) {
    const std::size_t first = command.find_first_not_of(kBlanks);
    if (first == std::u16string::npos) return false;
    const std::size_t last = command.find_last_not_of(kBlanks);
    std::u16string path = command.substr(first, last - first + 1);
    if (path.front() == u'"') {
        // Everything up to the closing quote, and nothing after it.
        if (path.size() < 2 || path.find(u'"', 1) != path.size() - 1) return false;
        path = path.substr(1, path.size() - 2);
    }
    return !path.empty() &&
           platform.comparablePath(path) == platform.comparablePath(platform.ownProgramPath());
}

StartupEntry showStartWithWindows(Toolkit& toolkit) {
    StartupEntry entry = toolkit.platform.readStartupEntry();
    toolkit.menu.setChecked(MenuItem::startWithWindows,
                            entry.command && startsThisProgram(toolkit.platform, *entry.command));
    return entry;
}

void toggleStartWithWindows(Toolkit& toolkit, const StartupEntry& read) {
    Platform& platform = toolkit.platform;
    if (read.failure) {
        // Not knowing what is there, writing could undo what the user meant.
        platform.showMessage(messageText(Message::cannotReadStartupEntry, {*read.failure}));
        return;
    }
    const bool ours = read.command && startsThisProgram(platform, *read.command);
    // The quotes keep a path with blanks whole when the system splits the command.
    const std::optional<std::u16string> command =
        ours ? std::nullopt : std::optional(u'"' + platform.ownProgramPath() + u'"');
    if (const auto reason = platform.writeStartupEntry(command))
        platform.showMessage(messageText(Message::cannotWriteStartupEntry, {*reason}));
}

}  // namespace quevor

#include "toolkit/sim/sim_platform.h"

#include <utility>

#include "core/messages.h"
#include "core/text.h"
#include "toolkit/sim/sim_icon.h"

namespace quevor::sim {
namespace {

std::u16string folded(const std::u16string& path) {
    std::u16string out = path;
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    return out;
}

}  // namespace

std::u16string SimDialog::showOpen(const std::u16string& filter) {
    log_.add("dialog.showOpen " + toUtf8(filter));
    ++opened_;
    lastFilter_ = filter;
    if (answers.empty()) throw SimUsageError("the open-file dialog opened but no answer was given");
    std::u16string answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

std::optional<std::u16string> SimPlatform::findFile(const std::u16string& name) {
    log_.add("platform.findFile " + toUtf8(name));
    for (const std::filesystem::path& folder : searchFolders) {
        const std::filesystem::path candidate = folder / std::filesystem::path(name);
        if (virtualFiles.count(candidate) != 0) return candidate.u16string();
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate.u16string();
    }
    return std::nullopt;
}

void SimPlatform::requestProgramIcon(const std::u16string& path, IconAnswer answer) {
    log_.add("platform.programIcon " + toUtf8(path));
    answerWhenFree(path, [this, path, answer = std::move(answer)] {
        answer(programExists(path) ? std::make_unique<SimIcon>(liveIcons_) : nullptr);
    });
}

void SimPlatform::requestStart(const StartRequest& request, StartAnswer answer) {
    log_.add((request.elevated ? "platform.startProgramElevated " : "platform.startProgram ") +
             toUtf8(request.path) + (request.parameters.empty() ? "" : " ") +
             toUtf8(request.parameters));
    answerWhenFree(request.path, [this, request, answer = std::move(answer)] {
        using Outcome = StartResult::Outcome;
        if (!programExists(request.path)) {
            return answer({Outcome::failed, messageText(Message::programMissing)});
        }
        if (request.elevated && std::exchange(refuseNextElevation, false)) {
            return answer({Outcome::refused, u""});
        }
        outputs_.push_back(
            {request.elevated ? SimOutput::Kind::startedElevated : SimOutput::Kind::started,
             request.path, request.parameters});
        answer({Outcome::started, u""});
    });
}

void SimPlatform::requestOpenFolder(const std::u16string& path, FolderAnswer answer) {
    log_.add("platform.openProgramFolder " + toUtf8(path));
    answerWhenFree(path, [this, path, answer = std::move(answer)] {
        if (!programExists(path)) return answer(messageText(Message::programMissing));
        outputs_.push_back({SimOutput::Kind::openedFolder, path, u""});
        answer(std::nullopt);
    });
}

void SimPlatform::answerWhenFree(const std::u16string& path, std::function<void()> answer) {
    if (held_.count(folded(path)) == 0) return answer();
    heldAnswers_.push_back({folded(path), std::move(answer)});
}

void SimPlatform::awaitAnswers(int limitMs) {
    log_.add("platform.awaitAnswers " + std::to_string(limitMs));
}

std::unique_ptr<Icon> SimPlatform::neutralIcon() {
    return std::make_unique<SimIcon>(liveIcons_, true);
}

void SimPlatform::hold(const std::u16string& path) { held_.insert(folded(path)); }

void SimPlatform::release(const std::u16string& path) {
    held_.erase(folded(path));
    std::vector<HeldAnswer> due;
    for (auto it = heldAnswers_.begin(); it != heldAnswers_.end();) {
        if (it->path == folded(path)) {
            due.push_back(std::move(*it));
            it = heldAnswers_.erase(it);
        } else {
            ++it;
        }
    }
    for (HeldAnswer& held : due) held.answer();
}

ShortcutTarget SimPlatform::resolveShortcut(const std::u16string& path) {
    log_.add("platform.resolveShortcut " + toUtf8(path));
    const auto shortcut = shortcuts_.find(folded(path));
    if (shortcut == shortcuts_.end())
        return {std::nullopt, messageText(Message::shortcutUnreadable)};
    return {shortcut->second, u""};
}

void SimPlatform::showMessage(const std::u16string& text) {
    log_.add("platform.showMessage " + toUtf8(text));
    outputs_.push_back({SimOutput::Kind::message, text, u""});
}

void SimPlatform::endProgram() {
    log_.add("platform.endProgram");
    if (ended_) return;
    ended_ = true;
    outputs_.push_back({SimOutput::Kind::ended, u"", u""});
}

StartupEntry SimPlatform::readStartupEntry() {
    log_.add("platform.readStartupEntry");
    if (startupReadFailure) return {std::nullopt, startupReadFailure};
    return {startupEntry, std::nullopt};
}

std::optional<std::u16string> SimPlatform::writeStartupEntry(
    const std::optional<std::u16string>& command) {
    log_.add("platform.writeStartupEntry " + (command ? toUtf8(*command) : "none"));
    if (startupWriteFailure) return startupWriteFailure;
    startupEntry = command;
    return std::nullopt;
}

std::u16string SimPlatform::comparablePath(const std::u16string& path) { return folded(path); }

void SimPlatform::declareProgram(const std::u16string& path) { programs_.insert(folded(path)); }
void SimPlatform::declareShortcut(const std::u16string& path, const std::u16string& target) {
    shortcuts_[folded(path)] = target;
}
void SimPlatform::removeProgram(const std::u16string& path) { programs_.erase(folded(path)); }
bool SimPlatform::programExists(const std::u16string& path) const {
    return programs_.count(folded(path)) != 0;
}

std::vector<std::u16string> SimPlatform::started() const {
    std::vector<std::u16string> paths;
    for (const SimOutput& output : outputs_) {
        if (output.kind == SimOutput::Kind::started) paths.push_back(output.text);
    }
    return paths;
}

std::vector<std::u16string> SimPlatform::messages() const {
    std::vector<std::u16string> texts;
    for (const SimOutput& output : outputs_) {
        if (output.kind == SimOutput::Kind::message) texts.push_back(output.text);
    }
    return texts;
}

}  // namespace quevor::sim

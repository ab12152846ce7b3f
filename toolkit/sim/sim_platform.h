#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/sim/sim_log.h"
#include "toolkit/toolkit.h"

namespace quevor::sim {

// The open-file dialog: answers with what was queued ("" = the user cancels). Opening it with
// nothing queued is a SimUsageError.
class SimDialog final : public OpenFileDialog {
  public:
    explicit SimDialog(CallLog& log) : log_(log) {}
    std::u16string showOpen(const std::u16string& filter) override;

    std::deque<std::u16string> answers;
    int opened() const { return opened_; }
    const std::u16string& lastFilter() const { return lastFilter_; }

  private:
    // Runs answer now, or once the path is released.
    void answerWhenFree(const std::u16string& path, std::function<void()> answer);

    CallLog& log_;
    int opened_ = 0;
    std::u16string lastFilter_;
};

// What the user sees of the program besides the window, in order.
struct SimOutput {
    enum class Kind { started, message, ended, openedFolder, startedElevated };
    Kind kind;
    std::u16string text;        // the program's path, the message; empty for ended
    std::u16string parameters;  // what a started program was handed
    bool operator==(const SimOutput&) const = default;
};

// Platform services. Program files are declared by the caller; a declared file exists and has
// an icon, any other path has neither. Paths compare without regard to the case of ASCII
// letters, as the Windows file system does. The settings file is searched for on the real file
// system, in the folders given, in order.
class SimPlatform final : public Platform {
  public:
    explicit SimPlatform(CallLog& log) : log_(log) {}

    std::optional<std::u16string> findFile(const std::u16string& name) override;
    bool anotherInstanceRunning() override { return anotherInstance; }
    void requestProgramIcon(const std::u16string& path, IconAnswer answer) override;
    void requestStart(const StartRequest& request, StartAnswer answer) override;
    void requestOpenFolder(const std::u16string& path, FolderAnswer answer) override;
    void awaitAnswers(int limitMs) override;
    std::unique_ptr<Icon> neutralIcon() override;
    ShortcutTarget resolveShortcut(const std::u16string& path) override;
    void showMessage(const std::u16string& text) override;
    void endProgram() override;
    StartupEntry readStartupEntry() override;
    std::optional<std::u16string> writeStartupEntry(
        const std::optional<std::u16string>& command) override;
    std::u16string ownProgramPath() override { return ownPath; }
    // Only the case of ASCII letters differs between spellings here: no short names.
    std::u16string comparablePath(const std::u16string& path) override;

    std::vector<std::filesystem::path> searchFolders;
    // Files the search treats as present without looking at the disk (for settings files held
    // in memory by tests).
    std::set<std::filesystem::path> virtualFiles;
    bool anotherInstance = false;
    // The user says no at the next elevation prompt.
    bool refuseNextElevation = false;
    // The start-up entry's command (nullopt: none), and the reasons reading or writing it fails
    // with (nullopt: it works).
    std::optional<std::u16string> startupEntry;
    std::optional<std::u16string> startupReadFailure, startupWriteFailure;
    std::u16string ownPath = u"C:\\quevor\\quevor.exe";

    void declareProgram(const std::u16string& path);
    // A shortcut file pointing to target; shortcuts not declared cannot be read.
    void declareShortcut(const std::u16string& path, const std::u16string& target);
    void removeProgram(const std::u16string& path);
    bool programExists(const std::u16string& path) const;
    // A drive that does not answer: requests about the path are answered only once it is
    // released, oldest first, as the file then is. Any other request is answered at once,
    // before it returns.
    void hold(const std::u16string& path);
    void release(const std::u16string& path);

    const std::vector<SimOutput>& outputs() const { return outputs_; }
    std::vector<std::u16string> started() const;
    std::vector<std::u16string> messages() const;
    bool ended() const { return ended_; }
    // Icons handed out and not yet released.
    int liveIcons() const { return liveIcons_; }

  private:
    // Runs answer now, or once the path is released.
    void answerWhenFree(const std::u16string& path, std::function<void()> answer);

    CallLog& log_;
    std::set<std::u16string> programs_;                   // folded to lower case
    std::map<std::u16string, std::u16string> shortcuts_;  // folded path -> target
    std::set<std::u16string> held_;                       // folded
    struct HeldAnswer {
        std::u16string path;  // folded
        std::function<void()> answer;
    };
    std::vector<HeldAnswer> heldAnswers_;
    std::vector<SimOutput> outputs_;
    bool ended_ = false;
    int liveIcons_ = 0;
};

}  // namespace quevor::sim

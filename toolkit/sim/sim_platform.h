#pragma once

#include <deque>
#include <filesystem>
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
    CallLog& log_;
    int opened_ = 0;
    std::u16string lastFilter_;
};

// What the user sees of the program besides the window, in order.
struct SimOutput {
    enum class Kind { started, message, ended };
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
    std::unique_ptr<Icon> programIcon(const std::u16string& path) override;
    std::optional<std::u16string> startProgram(const std::u16string& path) override;
    ShortcutTarget resolveShortcut(const std::u16string& path) override;
    void showMessage(const std::u16string& text) override;
    void endProgram() override;
    std::optional<std::u16string> startProgramWith(const std::u16string& path,
                                                   const std::u16string& parameters) override;

    std::vector<std::filesystem::path> searchFolders;
    // Files the search treats as present without looking at the disk (for settings files held
    // in memory by tests).
    std::set<std::filesystem::path> virtualFiles;
    bool anotherInstance = false;

    void declareProgram(const std::u16string& path);
    // A shortcut file pointing to target; shortcuts not declared cannot be read.
    void declareShortcut(const std::u16string& path, const std::u16string& target);
    void removeProgram(const std::u16string& path);
    bool programExists(const std::u16string& path) const;

    const std::vector<SimOutput>& outputs() const { return outputs_; }
    std::vector<std::u16string> started() const;
    std::vector<std::u16string> messages() const;
    bool ended() const { return ended_; }
    // Icons handed out and not yet released.
    int liveIcons() const { return liveIcons_; }

  private:
    CallLog& log_;
    std::set<std::u16string> programs_;                   // folded to lower case
    std::map<std::u16string, std::u16string> shortcuts_;  // folded path -> target
    std::vector<SimOutput> outputs_;
    bool ended_ = false;
    int liveIcons_ = 0;
};

}  // namespace quevor::sim

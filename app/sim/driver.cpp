#include "app/sim/driver.h"

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>

#include "app/sim/script.h"
#include "app/sim/state_json.h"
#include "core/error.h"
#include "core/text.h"
#include "settings/codec.h"
#include "settings/file_store.h"
#include "shell/bar.h"
#include "toolkit/sim/sim_toolkit.h"

namespace quevor::sim {
namespace {

constexpr const char* kUsage = "usage: quevor-sim [--codepage NAME] [--another-instance] DIR...";

struct Options {
    std::string codePage = "CP932";
    bool anotherInstance = false;
    std::vector<std::string> folders;
};

// A bad command line: reported with the usage text.
struct CommandLineError {
    std::string message;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsDone || arg.empty() || arg[0] != '-') {
            options.folders.push_back(arg);
        } else if (arg == "--") {
            optionsDone = true;
        } else if (arg == "--codepage") {
            if (i + 1 == args.size()) throw CommandLineError{"--codepage needs a code page name"};
            options.codePage = args[++i];
        } else if (arg == "--another-instance") {
            options.anotherInstance = true;
        } else {
            throw CommandLineError{"unknown option " + arg};
        }
    }
    return options;
}

class Driver {
  public:
    Driver(const Options& options, std::istream& in, std::ostream& out)
        : in_(in),
          out_(out),
          store_(makeSystemFileStore()),
          codec_(makeSystemCodec(options.codePage)) {
        for (const std::string& folder : options.folders) {
            sim_.platform.searchFolders.emplace_back(fromUtf8(folder));
        }
        sim_.platform.anotherInstance = options.anotherInstance;
        sim_.menu.answerer = [this] { return menuAnswer(); };
    }

    // Runs the script until it ends or the program does. Usage and runtime errors propagate.
    void run() {
        while (const auto line = nextLine()) {
            execute(*line);
            if (sim_.platform.ended()) return;
        }
    }

    // Prints what the user has been shown since the last call.
    void flushOutputs() {
        const auto& outputs = sim_.platform.outputs();
        for (; printed_ < outputs.size(); ++printed_) {
            const SimOutput& output = outputs[printed_];
            switch (output.kind) {
                case SimOutput::Kind::started:
                    out_ << "started " << toUtf8(output.text)
                         << (output.parameters.empty() ? "" : " " + toUtf8(output.parameters))
                         << "\n";
                    break;
                case SimOutput::Kind::message:
                    out_ << "message " << toUtf8(output.text) << "\n";
                    break;
                case SimOutput::Kind::ended:
                    out_ << "ended\n";
                    break;
                case SimOutput::Kind::openedFolder:
                    out_ << "opened-folder " << toUtf8(output.text) << "\n";
                    break;
                case SimOutput::Kind::startedElevated:
                    out_ << "started-elevated " << toUtf8(output.text) << "\n";
                    break;
            }
        }
        out_.flush();
    }

    int currentLine() const { return lineNumber_; }

  private:
    std::optional<ScriptLine> nextLine() {
        if (putBack_) return std::exchange(putBack_, std::nullopt);
        return readScriptLine(in_, lineNumber_);
    }

    void requireRunning(const ScriptLine& line) const {
        if (!bar_) usage(line.command + " before start: the bar is not running");
    }

    void execute(const ScriptLine& line) {
        const std::string& command = line.command;
        if (command == "exists") {
            sim_.platform.declareProgram(pathArgument(line));
        } else if (command == "missing") {
            sim_.platform.removeProgram(pathArgument(line));
        } else if (command == "hold") {
            sim_.platform.hold(pathArgument(line));
        } else if (command == "release") {
            sim_.platform.release(pathArgument(line));
        } else if (command == "shortcut") {
            const auto [link, target] = shortcutArgument(line);
            sim_.platform.declareShortcut(link, target);
        } else if (command == "refuse-elevation") {
            noArgument(line);
            sim_.platform.refuseNextElevation = true;
        } else if (command == "startup-entry") {
            // The text as stored, or "none" for no entry.
            if (line.argument.empty()) usage("startup-entry needs TEXT or none");
            sim_.platform.startupEntry =
                line.argument == "none" ? std::nullopt : std::optional(fromUtf8(line.argument));
        } else if (command == "drop") {
            requireRunning(line);
            drop(line);
        } else if (command == "drag") {
            requireRunning(line);
            const auto [key, position] = dragArgument(line, sim_.toolbar.buttons().size());
            bar_->onProgramButtonDrag(buttonKey(key), position);
        } else if (command == "start") {
            noArgument(line);
            if (bar_) usage("start: the bar is already running");
            bar_ = std::make_unique<Bar>(sim_.toolkit(), *store_, *codec_);
            bar_->start();
            if (!sim_.platform.ended()) sim_.window.show();
        } else if (command == "click") {
            requireRunning(line);
            const std::u16string key = fromUtf8(line.argument);
            if (sim_.toolbar.find(key) == nullptr)
                usage("no toolbar button has the key \"" + line.argument + "\"");
            bar_->onToolbarMouseDown(1, 0, 0.0f, 0.0f);
            bar_->onProgramButtonClick(key);
        } else if (command == "add") {
            requireRunning(line);
            // The user's answer should the dialog open; dropped when it does not.
            sim_.dialog.answers.assign(1, fromUtf8(line.argument));
            bar_->onAddButtonMouseDown(1, 0, 0.0f, 0.0f);
            bar_->onAddButtonClick();
            sim_.dialog.answers.clear();
        } else if (command == "press") {
            requireRunning(line);
            press(line);
        } else if (command == "key") {
            requireRunning(line);
            const auto [key, shift] = keyArgument(line);
            // The add button's dialog, should the key open it, is cancelled.
            sim_.dialog.answers.assign(1, u"");
            bar_->onKey(key, shift);
            sim_.dialog.answers.clear();
        } else if (command == "choose" || command == "dismiss") {
            usage(command + ": no pop-up menu is open");
        } else if (command == "move") {
            requireRunning(line);
            const auto [left, top] = moveArgument(line);
            sim_.window.userMove(left, top);
        } else if (command == "restore") {
            requireRunning(line);
            noArgument(line);
            sim_.window.userRestore();
        } else if (command == "end-session") {
            // The real process is ended by the system afterwards; here the bar runs on.
            requireRunning(line);
            noArgument(line);
            bar_->onSessionEnd();
        } else if (command == "state") {
            requireRunning(line);
            noArgument(line);
            out_ << stateJson(sim_, missingPaths()) << "\n";
        } else {
            usage("unknown command \"" + command + "\"");
        }
        flushOutputs();
    }

    void press(const ScriptLine& line) {
        const Press press = pressArgument(line, [this](const std::string& key) { buttonKey(key); });
        if (!press.key.empty()) {
            bar_->onProgramButtonMouseDown(fromUtf8(press.key), press.button, 0, 0.0f, 0.0f);
        } else if (press.target == "toolbar") {
            bar_->onToolbarMouseDown(press.button, 0, 0.0f, 0.0f);
        } else {
            bar_->onAddButtonMouseDown(press.button, 0, 0.0f, 0.0f);
        }
    }

    // A key some program button has.
    std::u16string buttonKey(const std::string& key) const {
        const std::u16string wanted = fromUtf8(key);
        if (sim_.toolbar.find(wanted) == nullptr)
            usage("no toolbar button has the key \"" + key + "\"");
        return wanted;
    }

    // Consecutive "drop PATH" lines are one drop of all their files, in order; one of them may
    // end in " on KEY", the program button the drop is let go on.
    void drop(const ScriptLine& line) {
        std::vector<std::u16string> paths;
        std::optional<std::u16string> target;
        for (std::optional<ScriptLine> next = line; next; next = nextLine()) {
            if (next->command != "drop") {
                putBack_ = std::move(next);
                break;
            }
            auto [path, key] = dropArgument(*next);
            if (key && target) usage("drop: only one line of a drop names the button it is on");
            if (key) target = buttonKey(*key);
            paths.push_back(std::move(path));
        }
        if (target) {
            bar_->onDropOnProgramButton(*target, paths);
        } else {
            bar_->onDrop(paths);
        }
    }

    // The stored programs without a button, in slot order.
    std::vector<std::u16string> missingPaths() const {
        std::vector<std::u16string> paths;
        const SlotTable& slots = bar_->state().slots;
        for (const int slot : slots.missingSlots()) paths.push_back(slots.programPath(slot));
        return paths;
    }

    // Asked when the pop-up menu opens: the next script line is the user's answer; Enter
    // chooses the item the menu opened with selected.
    SimMenu::Answer menuAnswer() {
        const auto line = nextLine();
        if (!line) usage("the script ends while the pop-up menu is open");
        if (line->command == "dismiss") {
            noArgument(*line);
            return std::nullopt;
        }
        if (line->command == "key" && line->argument == "enter" && sim_.menu.selected())
            return sim_.menu.selected();
        if (line->command != "choose")
            usage("the pop-up menu is open: expected choose ITEM or dismiss");
        const auto item = menuItemNamed(line->argument);
        if (!item) usage("choose: no menu item is called \"" + line->argument + "\"");
        return item;
    }

    std::istream& in_;
    std::ostream& out_;
    std::unique_ptr<FileStore> store_;
    std::unique_ptr<TextCodec> codec_;
    SimToolkit sim_;
    std::unique_ptr<Bar> bar_;
    std::optional<ScriptLine> putBack_;  // read ahead by a drop, not part of it
    std::size_t printed_ = 0;
    int lineNumber_ = 0;
};

}  // namespace

int runDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err) {
    Options options;
    try {
        options = parseOptions(args);
    } catch (const CommandLineError& error) {
        err << "quevor-sim: " << error.message << "\n" << kUsage << "\n";
        return kExitUsage;
    }
    std::unique_ptr<Driver> driver;
    try {
        driver = std::make_unique<Driver>(options, in, out);
    } catch (const RuntimeError& error) {
        err << "quevor-sim: " << error.what() << "\n" << kUsage << "\n";
        return kExitUsage;
    }
    // The event boundary: whatever a handler does not handle itself ends the run here.
    try {
        driver->run();
    } catch (const SimUsageError& error) {
        driver->flushOutputs();
        err << "quevor-sim: line " << driver->currentLine() << ": " << error.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        driver->flushOutputs();
        err << "error: " << error.what() << "\n";
        return kExitRuntimeError;
    }
    driver->flushOutputs();
    return 0;
}

}  // namespace quevor::sim

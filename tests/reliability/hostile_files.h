#pragma once

// Settings files a user's disk can really hold: damaged, cut off, edited by hand, from another
// system, or not writable. Each row names what a start-up and quit must make of it.

#include <string>
#include <vector>

namespace quevor::testing {

enum class Outcome {
    Works,         // start-up reads it and quit saves the bar
    StartUpStops,  // start-up stops with a message; nothing is written
    QuitStops,     // start-up works; quit stops with a message before anything is written
    Either,        // works, or start-up stops with a message naming the value
};

struct HostileFile {
    std::string name;
    std::string bytes;
    Outcome outcome;
    std::string message;  // part of the stop message, when the row stops
    bool readOnlyFile = false;
    bool readOnlyFolder = false;
};

std::vector<HostileFile> hostileFiles();

// The file two added programs leave after a quit (281 bytes), and the cleared state.
std::string workedExampleFile();
std::string clearedFile();

}  // namespace quevor::testing

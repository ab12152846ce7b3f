#pragma once

#include <stdexcept>
#include <string>

namespace quevor {

// The one error for "the program stops with a report". Every failure the program does not
// handle itself is thrown as this type; the event boundary of the toolkit reports the message
// and ends the process with a non-zero status. Whatever was written to disk before it stays.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

[[noreturn]] inline void fail(const std::string& message) { throw RuntimeError(message); }

}  // namespace quevor

#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quevor {

// What went wrong, for the callers that handle one kind of error differently from the rest.
enum class ErrorKind {
    general,
    overflow,  // a 16-bit value, search position or pixel count out of its range
};

// The one error for "the program stops with a report". Every failure the program does not
// handle itself is thrown as this type; the event boundary of the toolkit reports the message
// and ends the process with a non-zero status. Whatever was written to disk before it stays.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(const std::string& message, ErrorKind kind = ErrorKind::general)
        : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const { return kind_; }

  private:
    ErrorKind kind_;
};

[[noreturn]] inline void fail(const std::string& message) { throw RuntimeError(message); }

enum class Message;
// Stops with one of the program's own messages (core/messages.h) as the report.
[[noreturn]] void fail(Message id, std::initializer_list<std::u16string_view> args = {});
[[noreturn]] void failOverflow(Message id, std::initializer_list<std::u16string_view> args = {});

// A value out of its range; the bare message is "Overflow".
[[noreturn]] inline void failOverflow(const std::string& message = "Overflow") {
    throw RuntimeError(message, ErrorKind::overflow);
}

}  // namespace quevor

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quevor::sim {

inline constexpr int kExitRuntimeError = 2;
inline constexpr int kExitUsage = 64;

// quevor-sim: runs the bar's logic on the simulated toolkit from a script.
//
//   quevor-sim [--codepage NAME] [--another-instance] DIR...
//
// args are the command-line arguments without the program name; the script comes from in,
// one command per line (UTF-8); what the user would see goes to out ("started PATH",
// "message TEXT", "ended", state lines), errors to err. Returns the exit status: 0, or
// kExitRuntimeError after the program stopped with an error, or kExitUsage for a bad command
// line or script line.
int runDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace quevor::sim

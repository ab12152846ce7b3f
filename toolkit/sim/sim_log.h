#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quevor::sim {

// A mistake in driving the simulation (an answer the user could not give, a dialog opened with
// no answer prepared): the script or test is wrong, not the program. Never a RuntimeError, so
// the event boundary tells the two apart.
class SimUsageError : public std::logic_error {
  public:
    explicit SimUsageError(const std::string& message) : std::logic_error(message) {}
};

// Every operation the logic calls on the simulated toolkit, in order, as short text such as
// "window.setWidth 1905" or "toolbar.addButton 1 k11 k11".
struct CallLog {
    std::vector<std::string> calls;
    void add(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace quevor::sim

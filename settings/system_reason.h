#pragma once

#include <string>

namespace quevor {

// Windows only: the system's description of an error code, without its trailing line break
// and full stop ("system error N" when the system has none).
std::u16string systemReason(unsigned long error);

}  // namespace quevor

#pragma once

#include <string>
#include <vector>

#include "core/messages.h"
#include "core/text.h"

namespace quevor::testing {

// What the program says with this message and these arguments (both in UTF-8).
inline std::string said(Message id, const std::vector<std::string>& args = {}) {
    std::vector<std::u16string> wide;
    for (const std::string& arg : args) wide.push_back(fromUtf8(arg));
    return toUtf8(messageText(id, wide));
}

}  // namespace quevor::testing

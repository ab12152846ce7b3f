#pragma once

// Live values of a running bar drawn from fuzz input: mostly the whole-twip geometry a window
// has, sometimes any single-precision value, and program paths built from pieces that real
// paths and the file's own key and marker texts are made of.

#include <fuzzer/FuzzedDataProvider.h>

#include "support/properties.h"

namespace quevor::fuzz {

inline float consumeEdge(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return static_cast<float>(in.ConsumeIntegralInRange<int>(-2000, 20000));
        case 1:
            return static_cast<float>(in.ConsumeIntegralInRange<int>(-40000, 40000));
        case 2:
            return static_cast<float>(in.ConsumeIntegralInRange<int>(-100000, 100000)) / 8.0f;
        default:
            return in.ConsumeFloatingPoint<float>();
    }
}

// The first kPlain pieces make plain paths; the rest are texts the settings file searches for,
// line breaks, and characters outside the code page.
inline std::u16string consumePath(FuzzedDataProvider& in, bool hostile = true) {
    // clang-format off
    static const char16_t* const pieces[] = {
        u"C:\\", u"D:\\", u"\\", u"Tools", u"edit", u"a", u" ", u"日本語", u"ソフト", u"表", u"1",
        u"735", u"~", u"\u00e9", u"Program Files (x86)", u"\\\\server\\share\\", u".exe", u".EXE",
        u".Exe", u"W:", u"X:", u"Y:", u"T:", u"CL:", u"=", u"==", u"===", u"-", u"---", u"Path",
        u"Path2", u"Path1:", u"100", u"\r\n", u"\r", u"\u2603"};
    // clang-format on
    constexpr std::size_t kPlain = 16;
    const std::size_t last = !hostile || in.ConsumeBool() ? kPlain - 1 : std::size(pieces) - 1;
    std::u16string path;
    for (int i = in.ConsumeIntegralInRange<int>(0, 8); i > 0; --i) {
        path += pieces[in.ConsumeIntegralInRange<std::size_t>(0, last)];
    }
    if (last < kPlain || in.ConsumeBool()) path += u".exe";
    return path;
}

}  // namespace quevor::fuzz

#pragma once

#include <string>
#include <string_view>

namespace quevor {

// The text between the first occurrence of marker and its second, or to the end when it occurs
// once. A marker that does not occur at all is an error ("... not found").
std::u16string textAfter(std::u16string_view text, std::u16string_view marker);

// The text before the first occurrence of marker, or all of it when marker does not occur.
std::u16string textBefore(std::u16string_view text, std::u16string_view marker);

}  // namespace quevor

#pragma once

#include <string>

namespace quevor {

// The last component of a path, without its folder or drive: what a button's tooltip shows.
std::u16string bareFileName(const std::u16string& path);

}  // namespace quevor

#pragma once

// Paths in the extended form ("\\?\C:\...", "\\?\UNC\server\share\..."), which the file
// functions accept beyond the 260 characters of MAX_PATH: a settings file in a deep folder is
// read and replaced there too.

#include <string>
#include <string_view>

namespace quevor::win32 {

// A full path in its extended form: "C:\a" gives "\\?\C:\a", "\\server\share\a" gives
// "\\?\UNC\server\share\a". A path already extended, or a device path ("\\.\"), is kept.
// Anything else (relative, "C:a", "\a", forward slashes) comes back unchanged: the prefix
// turns off the system's own clean-up of a path, so only a full path may take it.
std::wstring extendedPath(std::wstring_view fullPath);

// The path made full by the system first (current folder, "." and "..", "/" become "\"),
// then extended. When the system cannot make it full, the path is returned as it is.
std::wstring extendedFullPath(std::u16string_view path);

}  // namespace quevor::win32

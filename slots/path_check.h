#pragma once

#include <optional>
#include <string>

#include "settings/codec.h"

namespace quevor {

// The settings file has no escape: keys and markers are found by plain search anywhere in the
// text, a path ends at its first ".exe", and the file is in one code page. A program path is
// taken into the bar only when the file can hold it.
//
// Returns nullopt when the path, stored as storedPathFor(path), survives being saved and read
// back byte for byte in any slot; otherwise a short reason for the user. Refused are paths
// that
//  - hold a text the readers or writers search for: "CL:", "W:", "X:", "Y:", "T:",
//    "Path1:" .. "Path16:", "=", "---";
//  - hold ".exe" or ".EXE" before their end;
//  - do not end in ".exe" in some letter case;
//  - are the text the file uses for an empty slot ("1.exe" .. "16.exe");
//  - hold a control character, or characters the code page cannot hold;
//  - are longer than 259 characters.
std::optional<std::u16string> checkStorablePath(const std::u16string& path, const TextCodec& codec);

// Whether the text ends in the ending, ASCII letters compared without regard to case.
bool endsWithAnyCase(std::u16string_view text, std::u16string_view ending);

// The form in which an accepted path is stored: its ".exe" ending in lower case, which is how
// the reader gives any ending back ("C:\A\B.EXE" and "C:\A\B.Exe" become "C:\A\B.exe").
std::u16string storedPathFor(const std::u16string& path);

}  // namespace quevor

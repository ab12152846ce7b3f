#pragma once

#include <string>

namespace quevor {

constexpr int kSlotCount = 15;

// "Path1:" .. "Path16:"
std::u16string slotKey(int slot);
// "Path1" .. "Path16": the key without its colon.
std::u16string slotKeyName(int slot);
// The empty-slot value: "1.exe" .. "16.exe".
std::u16string placeholder(int slot);
bool isPlaceholderOrEmpty(const std::u16string& path, int slot);

// The file as the clearing writer leaves it, without the CR LF that every write appends.
// Also the text a save starts from when the file on disk has lost its layout.
std::u16string clearedStateText();

}  // namespace quevor

#pragma once

#include <string>

// setting.ini, as a quit writes it (CR and LF spelled out; "Path3:3.exe" stands for the slots
// in between):
//
//   CL:1170 CR LF  W:1905 CR LF  CR Path1:C:\Tools\edit.exe CR LF  Path2:D:\Games\play.exe CR LF
//   Path3:3.exe CR LF ... Path15:15.exePath16:16.exe CR LF  CR X:100Y:100 CR LF  CR T:0 CR LF
//
// and as a clear leaves it (clearedStateText() below, then CR LF):
//
//   CL:0W:735Path1:1.exe CR LF ... Path15:15.exePath16:16.exe CR LF  CR X:100Y:100 CR LF
//
// The file has no lines: each reader finds its key anywhere in the whole text and cuts the value
// at the key the layout puts after it ("CL:" at "W:", "W:" at "Path1:", a slot at its first
// ".exe", "X:" at "Y:", "Y:" at "X:" or "T:", "T:" runs to the end), and numbers read with
// blanks and line breaks around them. So what looks odd here stays, because files already
// written by users must keep reading and writing exactly the same:
//  - a lone CR stands before "Path1:", "X:" and "T:", while the other records end in CR LF;
//  - an unchanged "W:" or "CL:" value is left as it stands, even without its line break;
//  - "Path16:16.exe" is read by no one: each slot's write ends with the next key and its
//    placeholder, and slot 15's is that one;
//  - an empty slot holds its placeholder ("3.exe"), never nothing;
//  - a hidden title bar saves the window's width plus 120;
//  - "X:" and "Y:" hold the window's edges in whole twips (the top may keep a fraction), within
//    kEdgeLimit either way; an edge within 16 bits is written as it always was, so only a bar
//    placed beyond 32767 twips (right of or below 2184 pixels at 96 DPI) writes more digits;
//  - every write of the file ends its text with CR LF.
// The keyed records ("CL:", "W:", "PathN:") are found by the search in keyed_search.h; the save's
// cycles are in save_records.cpp, the clear's in clear.cpp.

namespace quevor {

constexpr int kSlotCount = 15;

// The farthest a stored window edge reaches from 0, in twips: every whole number up to it is a
// single-precision value of its own, and it lies far beyond any desktop.
constexpr float kEdgeLimit = 16777216.0f;
// A window edge as "X:" and "Y:" hold it: the nearest whole twip (halves to the even one), pulled
// into +-kEdgeLimit. Not a number is an out-of-range error.
float roundClampEdge(double edge);

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

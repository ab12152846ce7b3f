#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quevor {

// The one search by which the keyed records ("W:", "CL:", "PathN:") are read, rewritten and
// cleared. Every occurrence of the key is replaced by a marked form holding the marker "===",
// and the value is taken from the first "===" of the whole text up to the next "===" (or the
// end). Files already written by users read, save and clear by exactly this, so it stays:
//  - the first marker wins wherever it stands: a "===" before the key (a hand-edited file, a
//    path holding one) is taken for the key's, and every copy of a doubled key is marked;
//  - there are no lines: a value runs on over line breaks up to its record's terminator.
struct MarkedText {
    std::u16string text;                  // the whole text, every key in its marked form
    std::optional<std::u16string> value;  // nullopt: the key was not found
};

// The key becomes markedKey, and counts as found when `found` then occurs; the value is all of
// the text from the first marker to the next.
MarkedText markKey(std::u16string_view text, std::u16string_view key, std::u16string_view markedKey,
                   std::u16string_view found);

// The usual form: the key's colon becomes the marker ("W:" -> "W===", found as such), and the
// value is cut at the first terminator after the marker (or is all of it without one).
MarkedText searchKey(std::u16string_view text, std::u16string_view key,
                     std::u16string_view terminator);

}  // namespace quevor

#include "settings/keyed_search.h"

#include "core/text.h"
#include "settings/text_ops.h"

namespace quevor {

MarkedText markKey(std::u16string_view text, std::u16string_view key, std::u16string_view markedKey,
                   std::u16string_view found) {
    MarkedText result{replaceAll(text, key, markedKey), std::nullopt};
    if (occurs(result.text, found)) result.value = textAfter(result.text, u"===");
    return result;
}

MarkedText searchKey(std::u16string_view text, std::u16string_view key,
                     std::u16string_view terminator) {
    const std::u16string marked = std::u16string(key.substr(0, key.size() - 1)) + u"===";
    MarkedText result = markKey(text, key, marked, marked);
    if (result.value) result.value = textBefore(*result.value, terminator);
    return result;
}

}  // namespace quevor

#include "settings/text_ops.h"

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"

namespace quevor {

std::u16string textAfter(std::u16string_view text, std::u16string_view marker) {
    const int16 first = findPos(text, marker);
    if (first == 0) fail(Message::keyMissing, {marker});
    const std::u16string_view rest =
        text.substr(static_cast<std::size_t>(first - 1) + marker.size());
    const int16 second = findPos(rest, marker);
    return std::u16string(second == 0 ? rest
                                      : rest.substr(0, static_cast<std::size_t>(second - 1)));
}

std::u16string textBefore(std::u16string_view text, std::u16string_view marker) {
    const int16 first = findPos(text, marker);
    return std::u16string(first == 0 ? text : text.substr(0, static_cast<std::size_t>(first - 1)));
}

}  // namespace quevor

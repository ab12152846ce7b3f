#include "slots/path_check.h"

#include <algorithm>
#include <array>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "settings/layout.h"

namespace quevor {
namespace {

constexpr std::size_t kLongestPath = 259;

bool endsInExeAnyCase(const std::u16string& path) { return endsWithAnyCase(path, u".exe"); }

// The first searched text the path holds, if any.
std::optional<std::u16string> searchedText(const std::u16string& path) {
    static const std::array<std::u16string_view, 7> fixed = {u"CL:", u"W:", u"X:", u"Y:",
                                                             u"T:",  u"=",  u"---"};
    for (const auto text : fixed) {
        if (path.find(text) != std::u16string::npos) return std::u16string(text);
    }
    for (int slot = 1; slot <= kSlotCount + 1; ++slot) {
        if (path.find(slotKey(slot)) != std::u16string::npos) return slotKey(slot);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::u16string> checkStorablePath(const std::u16string& path,
                                                const TextCodec& codec) {
    if (path.size() > kLongestPath) return messageText(Message::pathTooLong);
    for (const char16_t c : path) {
        if (c < 0x20 || c == 0x7F) return messageText(Message::pathControlCharacter);
    }
    if (!endsInExeAnyCase(path)) return messageText(Message::pathNotAProgram);
    if (const auto text = searchedText(path)) {
        return messageText(Message::pathHoldsKey, {*text});
    }
    const std::size_t body = path.size() - 4;
    for (const std::u16string_view ext : {u".exe", u".EXE"}) {
        const std::size_t at = path.find(ext);
        if (at < body) {
            return messageText(Message::pathHoldsExe, {ext});
        }
    }
    const std::u16string stored = storedPathFor(path);
    for (int slot = 1; slot <= kSlotCount + 1; ++slot) {
        if (stored == placeholder(slot)) {
            return messageText(Message::pathPlaceholder, {stored});
        }
    }
    bool holds = false;
    try {
        holds = codec.decode(codec.encode(stored)) == stored;
    } catch (const RuntimeError&) {
        holds = false;
    }
    if (!holds) {
        return messageText(Message::pathNotInCodePage, {ascii(codec.name())});
    }
    return std::nullopt;
}

bool endsWithAnyCase(std::u16string_view text, std::u16string_view ending) {
    if (text.size() < ending.size()) return false;
    auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    };
    const std::u16string_view end = text.substr(text.size() - ending.size());
    return std::equal(end.begin(), end.end(), ending.begin(),
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

std::u16string storedPathFor(const std::u16string& path) {
    if (!endsInExeAnyCase(path)) return path;
    return path.substr(0, path.size() - 4) + u".exe";
}

}  // namespace quevor

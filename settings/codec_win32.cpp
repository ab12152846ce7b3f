#include <charconv>
#include <limits>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "platform/win32/system.h"
#include "settings/codec.h"

namespace quevor {
namespace {

int checkedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        fail(Message::fileTooLarge);
    }
    return static_cast<int>(size);
}

// The settings file through MultiByteToWideChar / WideCharToMultiByte. Undecodable bytes are
// refused (MB_ERR_INVALID_CHARS), and a character the code page cannot hold is detected instead
// of being replaced by a look-alike (WC_NO_BEST_FIT_CHARS plus the used-default flag); every
// encoding is finally decoded again and compared, so nothing that would read back differently
// is ever written.
class Win32Codec final : public TextCodec {
  public:
    Win32Codec(UINT codePage, std::string name) : codePage_(codePage), name_(std::move(name)) {}

    std::u16string decode(std::string_view bytes) const override {
        std::u16string text;
        if (!tryDecode(bytes, text)) {
            fail(Message::notText, {ascii(name_)});
        }
        return text;
    }

    std::string encode(std::u16string_view text) const override {
        std::string bytes;
        if (!tryEncode(text, bytes)) fail(Message::cannotEncode, {ascii(name_)});
        return bytes;
    }

    bool canEncode(std::u16string_view text) const override {
        std::string bytes;
        return tryEncode(text, bytes);
    }

    std::string name() const override { return name_; }

  private:
    bool isUtf8() const { return effectiveCodePage() == CP_UTF8; }

    UINT effectiveCodePage() const { return codePage_ == CP_ACP ? GetACP() : codePage_; }

    bool tryDecode(std::string_view bytes, std::u16string& text) const {
        text.clear();
        if (bytes.empty()) return true;
        const int inLength = checkedLength(bytes.size());
        const int needed = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes.data(),
                                               inLength, nullptr, 0);
        if (needed <= 0) return false;
        std::wstring wide(static_cast<std::size_t>(needed), L'\0');
        if (MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes.data(), inLength,
                                wide.data(), needed) != needed) {
            return false;
        }
        text.assign(wide.begin(), wide.end());
        return true;
    }

    bool tryEncode(std::u16string_view text, std::string& bytes) const {
        bytes.clear();
        if (text.empty()) return true;
        const std::wstring wide(text.begin(), text.end());
        const int inLength = checkedLength(wide.size());
        // UTF-8 takes neither flags nor the used-default question; it only fails on broken
        // surrogates, which WC_ERR_INVALID_CHARS reports.
        const DWORD flags = isUtf8() ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        BOOL usedDefault = FALSE;
        LPBOOL usedDefaultOut = isUtf8() ? nullptr : &usedDefault;
        const int needed = WideCharToMultiByte(codePage_, flags, wide.data(), inLength, nullptr, 0,
                                               nullptr, usedDefaultOut);
        if (needed <= 0 || usedDefault) return false;
        bytes.assign(static_cast<std::size_t>(needed), '\0');
        if (WideCharToMultiByte(codePage_, flags, wide.data(), inLength, bytes.data(), needed,
                                nullptr, usedDefaultOut) != needed ||
            usedDefault) {
            return false;
        }
        std::u16string back;
        return tryDecode(bytes, back) && back == text;
    }

    UINT codePage_;
    std::string name_;
};

}  // namespace

// "" is the system's ANSI code page, the one the program uses; "CPnnn" a given code page, so
// that files of a known code page can be read on any system.
std::unique_ptr<TextCodec> makeSystemCodec(const std::string& codePage) {
    if (codePage.empty()) {
        return std::make_unique<Win32Codec>(CP_ACP, "CP" + std::to_string(GetACP()));
    }
    if (codePage.size() > 2 && codePage.compare(0, 2, "CP") == 0) {
        unsigned number = 0;
        const char* last = codePage.data() + codePage.size();
        const auto [end, error] = std::from_chars(codePage.data() + 2, last, number);
        if (error == std::errc{} && end == last && number > 0 && number < 65536 &&
            IsValidCodePage(number)) {
            return std::make_unique<Win32Codec>(number, codePage);
        }
    }
    fail(Message::codePageMissing, {ascii(codePage)});
}

}  // namespace quevor

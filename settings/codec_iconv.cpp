#include <errno.h>
#include <iconv.h>

#include <cstring>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "settings/codec.h"

namespace quevor {
namespace {

// One conversion descriptor per call: the codec is cheap to use this way and keeps no state.
class IconvHandle {
  public:
    IconvHandle(const std::string& to, const std::string& from)
        : handle_(iconv_open(to.c_str(), from.c_str())) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            fail(Message::codePageMissing, {ascii(to == "UTF-16LE" ? from : to)});
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    ~IconvHandle() { iconv_close(handle_); }
    iconv_t get() const { return handle_; }

  private:
    iconv_t handle_;
};

// Runs iconv over the whole input; returns false when the input holds something that does not
// convert, with the offset of the offending input byte in *badOffset.
bool convert(iconv_t handle, const char* input, std::size_t length, std::string& out,
             std::size_t* badOffset) {
    out.clear();
    char* in = const_cast<char*>(input);
    std::size_t inLeft = length;
    std::vector<char> buffer(length * 4 + 16);
    while (true) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result =
            iconv(handle, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (result != static_cast<std::size_t>(-1)) {
            if (inLeft == 0) {
                // flush any shift state
                outPtr = buffer.data();
                outLeft = buffer.size();
                iconv(handle, nullptr, nullptr, &outPtr, &outLeft);
                out.append(buffer.data(), buffer.size() - outLeft);
                return true;
            }
            continue;
        }
        if (errno == E2BIG) continue;
        *badOffset = length - inLeft;
        return false;
    }
}

class IconvCodec final : public TextCodec {
  public:
    explicit IconvCodec(std::string codePage) : codePage_(std::move(codePage)) {
        IconvHandle probe("UTF-16LE", codePage_);  // fails early for an unknown code page
    }

    std::u16string decode(std::string_view bytes) const override {
        IconvHandle handle("UTF-16LE", codePage_);
        std::string utf16;
        std::size_t bad = 0;
        if (!convert(handle.get(), bytes.data(), bytes.size(), utf16, &bad)) {
            fail(Message::notTextAt, {ascii(codePage_), ascii(std::to_string(bad))});
        }
        std::u16string text(utf16.size() / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16[2 * i]) |
                                            (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
        }
        return text;
    }

    std::string encode(std::u16string_view text) const override {
        std::string bytes;
        if (!tryEncode(text, bytes)) {
            fail(Message::cannotEncode, {ascii(codePage_)});
        }
        return bytes;
    }

    bool canEncode(std::u16string_view text) const override {
        std::string bytes;
        return tryEncode(text, bytes);
    }

    std::string name() const override { return codePage_; }

  private:
    bool tryEncode(std::u16string_view text, std::string& bytes) const {
        std::string utf16(text.size() * 2, '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            utf16[2 * i] = static_cast<char>(text[i] & 0xFF);
            utf16[2 * i + 1] = static_cast<char>(text[i] >> 8);
        }
        IconvHandle handle(codePage_, "UTF-16LE");
        std::size_t bad = 0;
        return convert(handle.get(), utf16.data(), utf16.size(), bytes, &bad);
    }

    std::string codePage_;
};

}  // namespace

std::unique_ptr<TextCodec> makeSystemCodec(const std::string& codePage) {
    return std::make_unique<IconvCodec>(codePage.empty() ? "CP932" : codePage);
}

}  // namespace quevor

#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quevor {

// Conversion between the settings file's bytes and the program's text. The file is in the
// system's ANSI code page; bytes that code page cannot decode, and characters it cannot hold,
// are errors, never silently substituted, so what is written reads back byte for byte.
class TextCodec {
  public:
    virtual ~TextCodec() = default;
    // Throws RuntimeError for bytes that are not text in the code page.
    [[nodiscard]] virtual std::u16string decode(std::string_view bytes) const = 0;
    // Throws RuntimeError for a character the code page cannot hold.
    [[nodiscard]] virtual std::string encode(std::u16string_view text) const = 0;
    [[nodiscard]] virtual bool canEncode(std::u16string_view text) const = 0;
    [[nodiscard]] virtual std::string name() const = 0;
};

// The platform's codec. On Windows "" is the system ANSI code page (what the program uses)
// and "CPnnn" that code page; elsewhere iconv with the named code page, "CP932" for "".
std::unique_ptr<TextCodec> makeSystemCodec(const std::string& codePage = "CP932");

}  // namespace quevor

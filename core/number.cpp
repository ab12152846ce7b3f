#include "core/number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/text.h"

namespace quevor {

std::u16string singleText(float value) {
    const double v = static_cast<double>(value);
    char buffer[64];
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", v);
        std::string digits = buffer;
        if (digits == "-0") digits = "0";
        return ascii(digits);
    }
    std::snprintf(buffer, sizeof buffer, "%.7g", v);
    std::string text = buffer;
    // "%.7g" may leave trailing zeros in the fraction ("1.500000e+10" never, "2.5" fine);
    // strip them so 1905.5 reads "1905.5" and not "1905.500".
    const auto exponent = text.find('e');
    std::string mantissa = text.substr(0, exponent);
    std::string tail = exponent == std::string::npos ? "" : text.substr(exponent);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    for (char& c : tail) c = c == 'e' ? 'E' : c;
    return ascii(mantissa + tail);
}

namespace {
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

std::optional<double> parseNumber(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    const std::u16string_view body = text.substr(begin, end - begin);

    std::size_t i = 0;
    std::string plain;
    if (i < body.size() && (body[i] == u'+' || body[i] == u'-'))
        plain += static_cast<char>(body[i++]);
    std::size_t digits = 0;
    while (i < body.size() && isDigit(body[i])) plain += static_cast<char>(body[i++]), ++digits;
    if (i < body.size() && body[i] == u'.') {
        plain += '.';
        ++i;
        while (i < body.size() && isDigit(body[i])) plain += static_cast<char>(body[i++]), ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < body.size() && (body[i] == u'e' || body[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < body.size() && (body[i] == u'+' || body[i] == u'-'))
            plain += static_cast<char>(body[i++]);
        std::size_t expDigits = 0;
        while (i < body.size() && isDigit(body[i]))
            plain += static_cast<char>(body[i++]), ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != body.size()) return std::nullopt;
    return std::strtod(plain.c_str(), nullptr);
}

}  // namespace quevor

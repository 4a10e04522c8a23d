#include "platform/wine/hive_string.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <iterator>

#include "platform/cp1252.h"

namespace kvl::platform {

namespace {

constexpr std::string_view kNamedEscapes = "abtnvfre";
constexpr std::array<char16_t, 8> kNamedUnits = {7, 8, 9, 10, 11, 12, 13, 27};

bool isOctal(char16_t c) { return c >= '0' && c <= '7'; }

// Reads up to maxDigits digits of the given base; 0 digits is a malformed escape.
std::size_t parseNumberEscape(std::string_view text, std::size_t pos, int base, int maxDigits,
                              char16_t &unit) {
    const char *first = text.data() + pos;
    const char *last = text.data() + std::min(text.size(), pos + static_cast<std::size_t>(maxDigits));
    unsigned value = 0;
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc())
        return kBad;
    unit = static_cast<char16_t>(value);
    return pos + static_cast<std::size_t>(end - first);
}

// pos is just after the backslash.
std::size_t parseEscape(std::string_view text, std::size_t pos, char16_t &unit) {
    if (pos >= text.size())
        return kBad;
    const char c = text[pos];
    if (c == '\\' || c == '"' || c == '[' || c == ']') {
        unit = static_cast<unsigned char>(c);
        return pos + 1;
    }
    if (c == 'x')
        return parseNumberEscape(text, pos + 1, 16, 4, unit);
    if (isOctal(static_cast<unsigned char>(c)))
        return parseNumberEscape(text, pos, 8, 3, unit);
    const std::size_t named = kNamedEscapes.find(c);
    if (named == std::string_view::npos)
        return kBad;
    unit = kNamedUnits[named];
    return pos + 1;
}

void appendCodePoint(std::u16string &out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

} // namespace

std::size_t parseHiveString(std::string_view text, std::size_t pos, char closing, std::u16string *out) {
    // Most of a hive is plain ASCII: runs of it are taken whole, the rest one character at a time.
    static const auto plain = [] {
        std::array<bool, 256> table{};
        for (int c = 0x20; c < 0x80; ++c)
            table[c] = c != '\\';
        return table;
    }();
    const std::size_t size = text.size();
    const auto close = static_cast<unsigned char>(closing);
    while (pos < size) {
        const std::size_t run = pos;
        while (pos < size && plain[static_cast<unsigned char>(text[pos])] &&
               static_cast<unsigned char>(text[pos]) != close)
            ++pos;
        if (out) // widened in place: append() from char iterators would build a temporary first
            std::transform(text.begin() + run, text.begin() + pos, std::back_inserter(*out),
                           [](char c) { return static_cast<char16_t>(c); });
        if (pos >= size)
            break;
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == close)
            return pos + 1;
        if (c < 0x20)
            return kBad; // Wine escapes every control character, a raw one means a broken line
        if (c == '\\') {
            char16_t unit = 0;
            pos = parseEscape(text, pos + 1, unit);
            if (pos == kBad)
                return kBad;
            if (out)
                *out += unit;
        } else {
            bool malformed = false;
            const char32_t code = nextUtf8(text, pos, &malformed);
            if (malformed)
                return kBad;
            if (out)
                appendCodePoint(*out, code);
        }
    }
    return kBad;
}

std::string escapeHiveString(std::u16string_view text, std::string_view delimiters) {
    std::string out;
    out.reserve(text.size());
    char buffer[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
        if (c > 127) {
            // A hex digit after the escape would be read as part of it, so the escape is padded.
            const bool padded = next < 128 && std::isxdigit(static_cast<unsigned char>(next));
            std::snprintf(buffer, sizeof buffer, padded ? "\\x%04x" : "\\x%x", unsigned(c));
            out += buffer;
        } else if (c < 32) {
            const auto named = std::find(kNamedUnits.begin(), kNamedUnits.end(), c);
            if (named != kNamedUnits.end()) {
                out += '\\';
                out += kNamedEscapes[named - kNamedUnits.begin()];
            } else {
                std::snprintf(buffer, sizeof buffer, isOctal(next) ? "\\%03o" : "\\%o", unsigned(c));
                out += buffer;
            }
        } else {
            if (c == '\\' || delimiters.find(static_cast<char>(c)) != std::string_view::npos)
                out += '\\';
            out += static_cast<char>(c);
        }
    }
    return out;
}

char16_t foldCase(char16_t c) {
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    // Latin Extended-A alternates capital and small letters; the pairing flips twice.
    const bool evenCapital = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenCapital && (c & 1)) || (oddCapital && !(c & 1)))
        return c - 1;
    return c;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && foldCase(a[i]) != foldCase(b[i]))
            return false;
    return true;
}

} // namespace kvl::platform

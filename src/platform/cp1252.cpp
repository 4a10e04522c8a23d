#include "platform/cp1252.h"

#include "platform/cp1252_best_fit.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kvl::platform {

namespace {

// 0x80-0x9F as Windows maps them. The five bytes without a character (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the control character of the same number, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnit(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

char bestFit(char16_t unit) {
    const auto runs = bestFitRuns();
    const auto run = std::lower_bound(runs.begin(), runs.end(), unit,
                                      [](const BestFitRun &r, char16_t u) { return r.last < u; });
    if (run == runs.end() || unit < run->first)
        return '?';
    const unsigned offset = unit - run->first;
    switch (run->step) {
    case BestFitRun::Step::Same:
        break;
    case BestFitRun::Step::Next:
        return static_cast<char>(run->byte + offset);
    case BestFitRun::Step::AlternateCase:
        return static_cast<char>(offset % 2 ? run->byte ^ 0x20 : run->byte);
    }
    return static_cast<char>(run->byte);
}

char toByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), unit);
    if (found == kHighControls.end())
        return bestFit(unit);
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

// Windows converts UTF-16 unit by unit: a character beyond the first 65536 is two units and two "?".
void appendBytes(std::string &out, char32_t code) {
    if (code < 0x10000)
        out += toByte(static_cast<char16_t>(code));
    else
        out += "??";
}

void appendUtf8(std::string &out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

char32_t nextUtf8(std::string_view text, std::size_t &pos, bool *malformed) {
    const auto fail = [malformed] {
        if (malformed)
            *malformed = true;
        return U'\uFFFD';
    };
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    // Unicode's table of well-formed sequences: their length, and the range of the second byte, which
    // rules out overlong forms, surrogates and codes beyond U+10FFFF.
    int extra = 0;
    char32_t code = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return fail();
    }
    for (int i = 0; i < extra; ++i, low = 0x80, high = 0xBF) {
        // A byte that is no continuation byte begins the next character; one that continues the sequence
        // into a form no well-formed one has ends it, taken along.
        const auto next = pos == text.size() ? 0 : static_cast<unsigned char>(text[pos]);
        if (next < 0x80 || next > 0xBF)
            return fail();
        code = (code << 6) | (next & 0x3F);
        ++pos;
        if (next < low || next > high)
            return fail();
    }
    return code;
}

std::u16string cp1252ToUtf16(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    std::transform(text.begin(), text.end(), out.begin(),
                   [](char byte) { return toUnit(static_cast<unsigned char>(byte)); });
    return out;
}

std::string utf16ToCp1252(std::u16string_view text) {
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(), toByte);
    return out;
}

std::string cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char byte : text)
        appendUtf8(out, toUnit(static_cast<unsigned char>(byte)));
    return out;
}

std::string utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        appendBytes(out, nextUtf8(text, pos));
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool pair = code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        if (pair)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = U'\uFFFD';
        appendUtf8(out, code);
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t code = nextUtf8(text, pos);
        if (code < 0x10000) {
            out += static_cast<char16_t>(code);
        } else {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}

} // namespace kvl::platform

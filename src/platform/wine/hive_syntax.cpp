#include "platform/wine/hive_syntax.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace kvl::platform {

namespace {

// A table, as hex data makes up much of a hive.
int hexDigit(char c) {
    static const auto digits = [] {
        std::array<signed char, 256> table;
        table.fill(-1);
        for (int i = 0; i < 10; ++i)
            table['0' + i] = static_cast<signed char>(i);
        for (int i = 0; i < 6; ++i)
            table['a' + i] = table['A' + i] = static_cast<signed char>(10 + i);
        return table;
    }();
    return digits[static_cast<unsigned char>(c)];
}

bool startsWith(std::string_view text, std::size_t pos, std::string_view prefix) {
    return text.size() - pos >= prefix.size() &&
           std::memcmp(text.data() + pos, prefix.data(), prefix.size()) == 0;
}

// 1 to 8 hex digits; the position after them or kBad.
std::size_t parseHexNumber(std::string_view text, std::size_t pos, std::uint32_t &value) {
    value = 0;
    std::size_t digits = 0;
    for (int digit; pos < text.size() && (digit = hexDigit(text[pos])) >= 0; ++pos, ++digits)
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    return digits == 0 || digits > 8 ? kBad : pos;
}

// "(n):" after "hex" or "str"; a missing "(n)" leaves the type as it is.
std::size_t parseTypeSuffix(std::string_view text, std::size_t pos, std::uint32_t &type) {
    if (pos < text.size() && text[pos] == '(') {
        pos = parseHexNumber(text, pos + 1, type);
        if (pos == kBad || pos >= text.size() || text[pos] != ')')
            return kBad;
        ++pos;
    }
    return pos < text.size() && text[pos] == ':' ? pos + 1 : kBad;
}

void appendUtf16(std::string &bytes, std::u16string_view units) {
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
}

// Pairs of hex digits separated by commas; a line may end in ",\" and go on after blanks.
std::size_t parseHexBytes(std::string_view text, std::size_t pos, std::string *bytes) {
    const std::size_t size = text.size();
    if (pos < size && text[pos] == '\n')
        return pos;
    for (;;) {
        if (size - pos < 2)
            return kBad;
        const int high = hexDigit(text[pos]);
        const int low = hexDigit(text[pos + 1]);
        if (high < 0 || low < 0)
            return kBad;
        if (bytes)
            *bytes += static_cast<char>(high << 4 | low);
        pos += 2;
        if (pos < size && text[pos] == '\n')
            return pos;
        if (pos >= size || text[pos] != ',')
            return kBad;
        ++pos;
        if (startsWith(text, pos, "\\\n")) {
            pos += 2;
            const std::size_t blanks = pos;
            while (pos < size && text[pos] == ' ')
                ++pos;
            if (pos == blanks)
                return kBad;
        }
    }
}

std::size_t parseStringData(std::string_view text, std::size_t pos, ValueData *data) {
    if (pos >= text.size() || text[pos] != '"')
        return kBad;
    std::u16string units;
    pos = parseHiveString(text, pos + 1, '"', data ? &units : nullptr);
    if (data) {
        units += u'\0'; // Wine leaves out the terminating NUL
        appendUtf16(data->bytes, units);
    }
    return pos;
}

std::size_t parseData(std::string_view text, std::size_t pos, ValueData *data) {
    std::uint32_t type = kRegSz;
    if (startsWith(text, pos, "\"")) {
        pos = parseStringData(text, pos, data);
    } else if (startsWith(text, pos, "str")) {
        pos = parseTypeSuffix(text, pos + 3, type);
        if (pos != kBad)
            pos = parseStringData(text, pos, data);
    } else if (startsWith(text, pos, "dword:")) {
        type = kRegDword;
        std::uint32_t value = 0;
        pos = parseHexNumber(text, pos + 6, value);
        if (data)
            data->bytes = dwordData(value).bytes;
    } else if (startsWith(text, pos, "hex")) {
        type = kRegBinary;
        pos = parseTypeSuffix(text, pos + 3, type);
        if (pos != kBad)
            pos = parseHexBytes(text, pos, data ? &data->bytes : nullptr);
    } else {
        return kBad;
    }
    if (pos == kBad || pos >= text.size() || text[pos] != '\n')
        return kBad;
    if (data)
        data->type = type;
    return pos;
}

} // namespace

std::size_t parseValueName(std::string_view text, std::size_t pos, std::u16string *name) {
    if (startsWith(text, pos, "@="))
        return pos + 2;
    if (!startsWith(text, pos, "\""))
        return kBad;
    pos = parseHiveString(text, pos + 1, '"', name);
    return pos != kBad && pos < text.size() && text[pos] == '=' ? pos + 1 : kBad;
}

std::size_t parseValueLine(std::string_view text, std::size_t pos, std::u16string *name, ValueData *data) {
    pos = parseValueName(text, pos, name);
    return pos == kBad ? kBad : parseData(text, pos, data);
}

std::size_t parseHeaderLine(std::string_view text, std::size_t pos, std::u16string *path) {
    if (!startsWith(text, pos, "["))
        return kBad;
    pos = parseHiveString(text, pos + 1, ']', path);
    if (pos == kBad)
        return kBad;
    if (startsWith(text, pos, " ")) {
        std::size_t digits = 0;
        for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
            ++digits;
        if (digits == 0)
            return kBad;
    }
    return pos < text.size() && text[pos] == '\n' ? pos : kBad;
}

std::u16string textUnits(const ValueData &data) {
    std::u16string units(data.bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(data.bytes[2 * i]) |
                                         static_cast<unsigned char>(data.bytes[2 * i + 1]) << 8);
    return units;
}

ValueData stringData(std::u16string_view text) {
    ValueData data{kRegSz, {}};
    appendUtf16(data.bytes, text);
    appendUtf16(data.bytes, std::u16string(1, u'\0'));
    return data;
}

ValueData dwordData(std::uint32_t value) {
    ValueData data{kRegDword, {}};
    for (int shift = 0; shift < 32; shift += 8)
        data.bytes += static_cast<char>(value >> shift);
    return data;
}

std::uint32_t dwordValue(const ValueData &data) {
    std::uint32_t value = 0;
    for (std::size_t i = std::min<std::size_t>(data.bytes.size(), 4); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(data.bytes[i]);
    return value;
}

std::string formatStringData(std::u16string_view text) { return "\"" + escapeHiveString(text, "\"") + "\""; }

std::string formatDwordData(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", unsigned(value));
    return buffer;
}

} // namespace kvl::platform

#include "platform/wine/reg_file.h"

#include <charconv>
#include <cstdio>

namespace kvl::platform {

namespace {

constexpr std::u16string_view kSignature = u"Windows Registry Editor Version 5.00";
constexpr std::string_view kByteOrderMark = "\xff\xfe";

std::u16string fromUtf16le(std::string_view bytes) { return textUnits({0, std::string(bytes)}); }

std::string toUtf16le(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// Lines as the tool means them: one that ends in '\' goes on in the next, after that one's blanks.
std::vector<std::u16string> logicalLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    bool continued = false;
    while (!text.empty()) {
        const std::size_t end = text.find(u'\n');
        std::u16string_view line = text.substr(0, end);
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        if (line.ends_with(u'\r'))
            line.remove_suffix(1);
        if (continued)
            line.remove_prefix(std::min(line.find_first_not_of(u' '), line.size()));
        else
            lines.emplace_back();
        continued = line.ends_with(u'\\'); // only hex data is wrapped; a quoted text ends in '"'
        lines.back() += continued ? line.substr(0, line.size() - 1) : line;
    }
    return lines;
}

constexpr std::u16string_view kEscaped = u"\\\"\n\r";
constexpr std::u16string_view kEscapeLetters = u"\\\"nr";

// A quoted text starting at pos; pos ends after its closing quote.
std::optional<std::u16string> parseQuoted(std::u16string_view line, std::size_t &pos) {
    if (pos >= line.size() || line[pos] != u'"')
        return std::nullopt;
    std::u16string text;
    for (++pos; pos < line.size(); ++pos) {
        char16_t c = line[pos];
        if (c == u'"') {
            ++pos;
            return text;
        }
        if (c == u'\\') {
            const std::size_t letter =
                ++pos < line.size() ? kEscapeLetters.find(line[pos]) : kEscapeLetters.npos;
            if (letter == kEscapeLetters.npos)
                return std::nullopt;
            c = kEscaped[letter];
        }
        text += c;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> parseHex(std::u16string_view digits) {
    std::string ascii;
    for (const char16_t c : digits) {
        if (c > 0x7F)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, 16);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

// Comma-separated pairs of hex digits, none for empty data.
std::optional<std::string> parseHexBytes(std::u16string_view list) {
    std::string bytes;
    if (list.empty())
        return bytes;
    for (;; list.remove_prefix(3)) {
        const auto byte = list.size() >= 2 ? parseHex(list.substr(0, 2)) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
        if (list.size() == 2)
            return bytes;
        if (list[2] != u',')
            return std::nullopt;
    }
}

std::optional<ValueData> parseData(std::u16string_view data) {
    if (data.starts_with(u'"')) {
        std::size_t pos = 0;
        const auto text = parseQuoted(data, pos);
        if (!text || pos != data.size())
            return std::nullopt;
        return stringData(*text);
    }
    if (data.starts_with(u"dword:")) {
        const auto value = data.size() == 14 ? parseHex(data.substr(6)) : std::nullopt;
        return value ? std::optional(dwordData(*value)) : std::nullopt;
    }
    std::optional<std::uint32_t> type = kRegBinary;
    std::size_t listStart = 4;
    if (data.starts_with(u"hex(")) {
        const std::size_t close = data.find(u"):");
        type = close == data.npos ? std::nullopt : parseHex(data.substr(4, close - 4));
        listStart = close + 2;
    } else if (!data.starts_with(u"hex:")) {
        return std::nullopt;
    }
    const auto bytes = type ? parseHexBytes(data.substr(listStart)) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    return ValueData{*type, *bytes};
}

std::optional<NamedValue> parseValue(std::u16string_view line) {
    NamedValue value;
    std::size_t pos = 1;
    if (!line.starts_with(u'@')) {
        pos = 0;
        auto name = parseQuoted(line, pos);
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    }
    const auto data = pos < line.size() && line[pos] == u'=' ? parseData(line.substr(pos + 1)) : std::nullopt;
    if (!data)
        return std::nullopt;
    value.data = *data;
    return value;
}

std::u16string quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (const char16_t c : text) {
        const std::size_t escaped = kEscaped.find(c);
        if (escaped == kEscaped.npos) {
            out += c;
        } else {
            out += u'\\';
            out += kEscapeLetters[escaped];
        }
    }
    return out + u"\"";
}

std::u16string dataField(const ValueData &data) {
    if (data.type == kRegDword) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", unsigned(dwordValue(data)));
        return u"dword:" + std::u16string(digits, digits + 8);
    }
    std::u16string text = textUnits(data);
    text.pop_back(); // the terminating NUL
    return quoted(text);
}

} // namespace

std::optional<std::vector<NamedValue>> exportedValues(std::string_view fileBytes,
                                                      std::u16string_view keyName) {
    if (!fileBytes.starts_with(kByteOrderMark) || fileBytes.size() % 2 != 0)
        return std::nullopt;
    const std::vector<std::u16string> lines = logicalLines(fromUtf16le(fileBytes.substr(2)));
    std::size_t i = 0;
    if (lines.empty() || lines[i++] != kSignature)
        return std::nullopt;
    while (i < lines.size() && lines[i].empty())
        ++i;
    const std::u16string_view header = i < lines.size() ? std::u16string_view(lines[i++]) : u"";
    if (header.size() < 2 || !header.starts_with(u'[') || !header.ends_with(u']') ||
        !sameName(header.substr(1, header.size() - 2), keyName))
        return std::nullopt;
    std::vector<NamedValue> values;
    for (; i < lines.size() && !lines[i].empty() && !lines[i].starts_with(u'['); ++i) {
        auto value = parseValue(lines[i]);
        if (!value)
            return std::nullopt;
        values.push_back(std::move(*value));
    }
    return values;
}

bool importable(const ValueData &data) {
    if (data.type == kRegDword)
        return data.bytes.size() == 4;
    const std::u16string text = textUnits(data);
    return data.type == kRegSz && !text.empty() && text.find(u'\0') == text.size() - 1;
}

std::string importFile(std::u16string_view keyName, const std::vector<NamedValue> &values) {
    std::u16string text = std::u16string(kSignature) + u"\r\n\r\n[" + std::u16string(keyName) + u"]\r\n";
    for (const NamedValue &value : values)
        text += (value.name.empty() ? u"@" : quoted(value.name)) + u"=" + dataField(value.data) + u"\r\n";
    return std::string(kByteOrderMark) + toUtf16le(text + u"\r\n");
}

} // namespace kvl::platform

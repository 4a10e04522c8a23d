#include "platform/wine/profile_encoding.h"

#include "platform/cp1252.h"
#include "platform/wine/profile_stream.h"
#include "platform/wine/profile_text.h"

#include <array>

namespace kvl::platform {

namespace {

using Encoding = ProfileEncoding;

constexpr std::array<ProfileMark, 3> kMarks{{
    {Encoding::Utf8, "\xEF\xBB\xBF"},
    {Encoding::Utf16Little, "\xFF\xFE"},
    {Encoding::Utf16Big, "\xFE\xFF"},
}};

// A file's encoding and its text after the byte-order mark.
struct Body {
    Encoding encoding = Encoding::Ansi;
    std::string_view mark;
    std::string_view bytes;
};

Body bodyOf(std::string_view bytes) {
    const ProfileMark mark = profileMarkOf(bytes);
    return {mark.encoding, mark.bytes, bytes.substr(mark.bytes.size())};
}

bool isUtf16(Encoding encoding) {
    return encoding == Encoding::Utf16Little || encoding == Encoding::Utf16Big;
}

std::string bytesOf(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(2 * units.size());
    for (const char16_t unit : units) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string textOf(const Body &body) {
    if (isUtf16(body.encoding))
        return utf16ToUtf8(utf16UnitsOf(body.bytes, body.encoding == Encoding::Utf16Big));
    return std::string(body.bytes);
}

// Names and values reach a Unicode file as the A-functions convert them; an 8-bit file takes them as they
// are.
std::string inFile(const Body &body, const std::string &text) {
    return body.encoding == Encoding::Ansi ? text : cp1252ToUtf8(text);
}

} // namespace

ProfileMark profileMarkOf(std::string_view start) {
    for (const ProfileMark &mark : kMarks)
        if (start.starts_with(mark.bytes))
            return mark;
    return {Encoding::Ansi, {}};
}

std::u16string utf16UnitsOf(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

std::string decodedProfileText(std::string_view bytes) { return textOf(bodyOf(bytes)); }

std::optional<std::string> profileValue(std::string_view bytes, const std::string &section,
                                        const std::string &key) {
    return streamedProfileValue(readerOf(bytes, bytes.size()), section, key);
}

std::optional<std::string> profileBytesWithValue(std::string_view bytes, const std::string &section,
                                                 const std::string &key, const std::string &value) {
    const Body body = bodyOf(bytes);
    const std::string text = textOf(body);
    const std::string edited =
        withProfileValue(text, inFile(body, section), inFile(body, key), inFile(body, value));
    if (!isUtf16(body.encoding))
        return std::string(body.mark) + edited;
    const bool bigEndian = body.encoding == Encoding::Utf16Big;
    // Every other line must come back unit for unit: a lone surrogate or an odd byte would not.
    if (body.bytes.size() % 2 != 0 || utf8ToUtf16(text) != utf16UnitsOf(body.bytes, bigEndian))
        return std::nullopt;
    return std::string(body.mark) + bytesOf(utf8ToUtf16(edited), bigEndian);
}

} // namespace kvl::platform

#include "platform/wine/profile_encoding.h"

#include "platform/cp1252.h"
#include "platform/wine/profile_text.h"

namespace kvl::platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

std::u16string fromUtf16Little(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

} // namespace

std::string profileTextAsAnsi(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        return utf8ToCp1252(bytes.substr(kUtf8Mark.size()));
    if (bytes.starts_with(kUtf16LittleMark))
        return utf16ToCp1252(fromUtf16Little(bytes.substr(kUtf16LittleMark.size())));
    return std::string(bytes);
}

std::optional<std::string> profileBytesWithValue(std::string_view bytes, const std::string &section,
                                                 const std::string &key, const std::string &value) {
    if (bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark))
        return std::nullopt;
    if (bytes.starts_with(kUtf8Mark))
        return std::string(kUtf8Mark) + withProfileValue(bytes.substr(kUtf8Mark.size()),
                                                         cp1252ToUtf8(section), cp1252ToUtf8(key),
                                                         cp1252ToUtf8(value));
    return withProfileValue(bytes, section, key, value);
}

} // namespace kvl::platform

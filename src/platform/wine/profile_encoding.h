#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvl::platform {

// Profile files are 8-bit text unless they begin with a byte-order mark, as Wine reads them: UTF-8 and
// UTF-16 of either byte order are understood too, and written back in the encoding they had. Names and
// values are code page 1252 here; in a marked file they are matched and stored as the characters they
// stand for.

enum class ProfileEncoding { Ansi, Utf8, Utf16Little, Utf16Big };

// A file's encoding as the beginning of its bytes gives it, and its byte-order mark (empty for 8-bit text).
struct ProfileMark {
    ProfileEncoding encoding;
    std::string_view bytes;
};
ProfileMark profileMarkOf(std::string_view start);

// The UTF-16 units of the bytes; a trailing odd byte is no unit.
std::u16string utf16UnitsOf(std::string_view bytes, bool bigEndian);

// The text the profile rules work on: an 8-bit file as it is, a marked one in UTF-8 without its mark.
std::string decodedProfileText(std::string_view bytes);

// The value of a key as a read hands it back; nullopt when the section or key is missing.
std::optional<std::string> profileValue(std::string_view bytes, const std::string &section,
                                        const std::string &key);

// The file's bytes with one value set, in the file's own encoding; nullopt for a UTF-16 file whose other
// lines would not come back unit for unit.
std::optional<std::string> profileBytesWithValue(std::string_view bytes, const std::string &section,
                                                 const std::string &key, const std::string &value);

} // namespace kvl::platform

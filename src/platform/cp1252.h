#pragma once

#include <string>
#include <string_view>

namespace kvl::platform {

// Windows code page 1252 <-> Unicode. A character without a 1252 form becomes '?', as the
// Windows A-functions do.
std::u16string cp1252ToUtf16(std::string_view text);
std::string utf16ToCp1252(std::u16string_view text);
std::string cp1252ToUtf8(std::string_view text);
std::string utf8ToCp1252(std::string_view text);

// One code point of UTF-8 starting at pos, which it moves past the sequence. A malformed or cut
// sequence yields U+FFFD, consumes one byte and sets `malformed` when given.
char32_t nextUtf8(std::string_view text, std::size_t &pos, bool *malformed = nullptr);

} // namespace kvl::platform

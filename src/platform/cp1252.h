#pragma once

#include <string>
#include <string_view>

namespace kvl::platform {

// Windows code page 1252 <-> Unicode, as the Windows A-functions convert: a character without a 1252
// form becomes a similar one where Windows has one (U+0100 becomes "A"), else '?'; one byte per UTF-16 unit.
std::u16string cp1252ToUtf16(std::string_view text);
std::string utf16ToCp1252(std::u16string_view text);
std::string cp1252ToUtf8(std::string_view text);
std::string utf8ToCp1252(std::string_view text);

// UTF-16 <-> UTF-8. A lone surrogate or a malformed sequence becomes U+FFFD, so a round trip gives back
// exactly the well-formed texts.
std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

// One code point of UTF-8 starting at pos, which it moves past the sequence. A malformed or cut
// sequence yields one U+FFFD, as Windows' MultiByteToWideChar converts it, and sets `malformed` when
// given: for a byte that starts no sequence, or for a lead byte and the continuation bytes after it up to
// the first that no well-formed sequence has there (taken along) or the first byte that continues nothing.
char32_t nextUtf8(std::string_view text, std::size_t &pos, bool *malformed = nullptr);

} // namespace kvl::platform

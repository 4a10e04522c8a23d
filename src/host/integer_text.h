#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvl::host {

// The one conversion of a text to a signed 32-bit integer: leading blanks (' ' only), an optional
// sign, then decimal digits or a hexadecimal prefix ("$", "x", "X", "0x", "0X") and hex digits,
// nothing after them. Hexadecimal must fit 32 bits and is taken as signed; "-" negates it.
std::optional<std::int32_t> parseIntegerText(std::string_view text);

// An integer key of an INI file: a text longer than two characters that starts with "0x"/"0X" has
// that prefix turned into "$"; a text the rule rejects gives the default.
std::int32_t iniInteger(std::string_view text, std::int32_t defaultValue);

// The Apply and export error for a rejected text: "'%s' is not a valid integer value".
std::string invalidIntegerMessage(std::string_view text);

} // namespace kvl::host

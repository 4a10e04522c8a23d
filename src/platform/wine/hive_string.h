#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvl::platform {

inline constexpr std::size_t kBad = std::string_view::npos;

// Reads an escaped hive string that starts at pos (just after its opening delimiter) up to the
// unescaped `closing` character. Returns the position after it, or kBad when the text is not a
// well-formed string. `out`, when given, receives the UTF-16 units.
std::size_t parseHiveString(std::string_view text, std::size_t pos, char closing, std::u16string *out);

// The escaped form Wine writes: `\\`, the delimiters escaped with a backslash, control characters as
// C or octal escapes, everything above 127 as \x escapes.
std::string escapeHiveString(std::u16string_view text, std::string_view delimiters);

// Windows compares registry names without regard to case.
bool sameName(std::u16string_view a, std::u16string_view b);
char16_t foldCase(char16_t unit);

} // namespace kvl::platform

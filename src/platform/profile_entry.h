#pragma once

#include <string_view>

namespace kvl::platform {

// What a profile read trims from names and values. Ctrl-Z, the DOS end-of-file mark, counts as a blank
// as Wine reads it: old files end in it. Writers and readers must agree on it, or a name made of blanks
// would be written where no read finds it.
inline constexpr std::string_view kProfileBlanks = " \t\v\f\x1A";
inline bool isProfileBlank(char c) { return kProfileBlanks.find(c) != std::string_view::npos; }

// Whether a section, key and value can be stored so that they read back as written. Line breaks
// or NUL bytes would split the line and forge other keys or sections, an empty or blank name or a key with
// "=" cannot be found again, and "]" would end the section's name early; the profile writers of
// both backends refuse such entries rather than corrupt the file.
bool isStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value);

} // namespace kvl::platform

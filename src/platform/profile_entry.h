#pragma once

#include <string_view>

namespace kvl::platform {

// Whether a section, key and value can be stored so that they read back as written. Line breaks
// or NUL bytes would split the line and forge other keys or sections, an empty or blank name or a key with
// "=" cannot be found again, and "]" would end the section's name early; the profile writers of
// both backends refuse such entries rather than corrupt the file.
bool isStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value);

} // namespace kvl::platform

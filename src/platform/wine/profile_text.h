#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvl::platform {

// Windows' profile-file rules applied to a file's bytes, without touching any file.

// What a read hands back of a value's text (blanks trimmed, cut at a NUL): one pair of surrounding quotes
// removed, at most 2047 characters.
std::string returnedProfileValue(std::string_view value);

// What a read returns when the key is missing: the default without blanks at its end and without
// one pair of surrounding quotes, as Wine hands it back.
std::string profileDefault(std::string_view defaultValue);

// The text with one value set: an existing key's line replaced in place, a missing key added at the
// end of its section, a missing section added at the end of the text; every other byte as it was.
std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

} // namespace kvl::platform

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvl::platform {

// Windows' profile-file rules applied to a file's bytes, without touching any file.

// The text of a key's value as it stands in the file (blanks trimmed, cut at a NUL); nullopt when the
// section or key is missing. Of two sections or keys with the same name only the first counts.
std::optional<std::string_view> findProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key);

// What a read hands back of a value's text: one pair of surrounding quotes removed, at most 2047 characters.
std::string returnedProfileValue(std::string_view value);

// Both of the above, for 8-bit text.
std::optional<std::string> lookupProfileValue(std::string_view text, std::string_view section,
                                              std::string_view key);

// What a read returns when the key is missing: the default without blanks at its end and without
// one pair of surrounding quotes, as Wine hands it back.
std::string profileDefault(std::string_view defaultValue);

// The text with one value set: an existing key's line replaced in place, a missing key added at the
// end of its section, a missing section added at the end of the text; every other byte as it was.
std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

} // namespace kvl::platform

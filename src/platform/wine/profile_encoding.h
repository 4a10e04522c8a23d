#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvl::platform {

// Profile files are 8-bit text unless they begin with a byte-order mark, as Windows reads them:
// UTF-8 and UTF-16 (little-endian) files are understood too.

// The file's text in code page 1252, for reading.
std::string profileTextAsAnsi(std::string_view bytes);

// The file's bytes with one value set (in the file's own encoding); nullopt for UTF-16 files,
// which are left alone rather than rewritten in another encoding.
std::optional<std::string> profileBytesWithValue(std::string_view bytes, const std::string &section,
                                                 const std::string &key, const std::string &value);

} // namespace kvl::platform

#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wine/hive_scan.h"

namespace kvl::platform {

struct ValueEdit {
    std::u16string name;
    std::string data; // as written after "name=", e.g. dword:000003e8
};

// Where the last line of a value in a section of the key begins: of two lines of one name, Wine keeps
// the later.
std::optional<std::size_t> lastValueLine(std::string_view text, const KeySpan &key, std::u16string_view name);

// The text that replaces [key.header, key.end): the key's section with each edited value's last line(s)
// replaced (new values at the end of the key) and its two time stamps set to `now`. Every other
// byte of the section stays as it was.
std::string editSection(std::string_view text, const KeySpan &key, std::u16string_view keyPath,
                        const std::vector<ValueEdit> &edits, std::chrono::system_clock::time_point now);

} // namespace kvl::platform

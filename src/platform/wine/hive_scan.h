#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvl::platform {

// Where a key lives in the hive text. Wine leaves out keys that hold nothing but subkeys; such a
// key exists all the same, and its section would go right before its first subkey's.
struct KeySpan {
    std::size_t header = 0; // its "[" (or the insertion point of an implicit key)
    std::size_t body = 0;   // just after the header line
    std::size_t end = 0;    // the next header, or the end of the text
    bool implicit = false;
};

struct HiveScan {
    bool valid = false;
    std::optional<KeySpan> key;
    // Further sections of the same key, in the order of the text: Wine reads them all, one after the other.
    std::vector<KeySpan> repeats;
};

// Checks the whole text in one pass and finds the key (case-insensitively) on the way.
HiveScan scanHive(std::string_view text, std::u16string_view keyPath);

} // namespace kvl::platform

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wine/hive_syntax.h"

namespace kvl::platform {

// The .reg files Wine's registry tool reads and writes: UTF-16LE with a byte-order mark, one section per
// key headed by its full name ("HKEY_CURRENT_USER\Software\..."), strings quoted with \\ \" \n \r
// escapes, integers as dword:, anything else as hex(type): bytes.

struct NamedValue {
    std::u16string name; // empty for the default value
    ValueData data;
};

// The values of the key that `reg export` wrote first (its subkeys' sections follow and are left out).
// nullopt when the bytes are no such file, its first key is not `keyName`, or a value line is malformed.
std::optional<std::vector<NamedValue>> exportedValues(std::string_view fileBytes,
                                                      std::u16string_view keyName);

// Whether `reg import` stores the value exactly as a direct write does: a REG_DWORD, or a REG_SZ
// without a NUL inside (its only spelling, hex(1):, is widened byte by byte on import).
bool importable(const ValueData &data);

// A file for `reg import` that sets the (importable) values in the key; the key it would create when
// missing, so the caller makes sure it exists.
std::string importFile(std::u16string_view keyName, const std::vector<NamedValue> &values);

} // namespace kvl::platform

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvl::platform {

// The few entries the prefix discovery needs from the files of the tools that keep prefixes, read by
// hand and tolerant of anything else in them. Texts are UTF-8.

// The quoted texts that follow a quoted key, in Valve's key-value format (`"path"  "/x"`: separators "
// \t\r\n") or in JSON (`"winePrefix": "/x"`: separators " \t\r\n:"); escapes undone. Keys compare without
// regard to case.
std::vector<std::string> quotedValues(std::string_view text, std::string_view key,
                                      std::string_view separators);

// The value of a YAML key: at the top level (`Name: My bottle`) or, with a block, indented below the
// block's top-level line (`game:` then `  prefix: /x`). Quotes removed; empty when missing.
std::string yamlValue(std::string_view text, std::string_view block, std::string_view key);

} // namespace kvl::platform

#pragma once

#include <optional>
#include <string>

namespace kvl::platform {

// Whether a system.reg holds the host's install key as the program opens it (the 64-bit view), found by
// its section line alone, never by parsing the hive: nullopt when it does not (or the file is no regular
// file, too large for a hive, or cannot be read), else the key's Directory value in UTF-8 (empty when it
// has none). Reads in bounded steps without ever waiting, and stops at a NUL byte, which no hive holds.
std::optional<std::string> hostFolderInHive(const std::string &systemReg);

} // namespace kvl::platform

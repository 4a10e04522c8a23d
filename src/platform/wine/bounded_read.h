#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kvl::platform {

// The whole of a small regular file of another program, read without ever waiting; nullopt when it is
// missing, no regular file, unreadable or larger than the limit.
std::optional<std::string> smallFileContent(const std::string &path, std::size_t limit = 1 << 20);

} // namespace kvl::platform

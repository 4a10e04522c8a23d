#pragma once

#include <cstddef>
#include <string>

namespace kvl::bench {

// A hive of about that size with keys of the kinds a real hive holds, the host key about two thirds in.
std::string syntheticHive(std::size_t bytes);

} // namespace kvl::bench

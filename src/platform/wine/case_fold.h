#pragma once

#include <string_view>

namespace kvl::platform {

// Names in code page 1252 compared as Windows does: letters of either case are equal, accented
// letters included.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace kvl::platform

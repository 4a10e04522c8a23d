#pragma once

#include <string>

namespace kvl::platform {

// The native file a path of the platform interface names: a path starting with '/' is native
// already, any other is a Windows path of the prefix.
std::string hostFileToNative(const std::string &path);

} // namespace kvl::platform

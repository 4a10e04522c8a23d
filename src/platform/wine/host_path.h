#pragma once

#include <string>

#include "platform/file_path.h"

namespace kvl::platform {

// The native file a path of the platform interface names.
std::string nativeFileOf(const FilePath &file);

} // namespace kvl::platform

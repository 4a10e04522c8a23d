#pragma once

#include <string>

namespace kvl::platform {

// The rule behind preferencesFolder() for a given executable folder (ending in '\').
std::string preferencesFolderFor(const std::string &executableFolder);

} // namespace kvl::platform

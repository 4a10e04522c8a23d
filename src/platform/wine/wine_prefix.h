#pragma once

#include <string>

namespace kvl::platform {

// The Wine prefix in use: $WINEPREFIX, else ~/.wine.
std::string winePrefix();

} // namespace kvl::platform

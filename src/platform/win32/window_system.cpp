#include "platform/window_system.h"

namespace kvl::platform {

// Desktop composition is always on since Windows 8.
bool windowSystemBlends(const std::string &windowSystem) { return windowSystem == "windows"; }

} // namespace kvl::platform

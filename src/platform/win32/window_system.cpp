#include "platform/window_system.h"

namespace kvl::platform {

// Desktop composition is always on since Windows 8.
bool windowSystemBlends(const std::string &windowSystem) { return windowSystem == "windows"; }


// Windows draws the frame from the window's own style, which the toolkit sets from the window's flags,
// and knows its size before the window is shown.
void requestFixedFrame(std::uintptr_t, const std::string &) {}

std::optional<FrameExtents> frameExtents(std::uintptr_t, const std::string &) { return std::nullopt; }

} // namespace kvl::platform

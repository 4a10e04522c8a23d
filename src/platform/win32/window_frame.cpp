#include "platform/window_frame.h"

namespace kvl::platform {

// Windows draws the frame from the window's own style, which the toolkit sets from the window's flags,
// and knows its size before the window is shown.
void requestFixedFrame(std::uintptr_t, const std::string &) {}

std::optional<FrameExtents> frameExtents(std::uintptr_t, const std::string &) { return std::nullopt; }

} // namespace kvl::platform

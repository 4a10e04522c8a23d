#pragma once

#include <string>

namespace kvl::platform {

// Whether the window system blends windows with what lies beneath them, so that a window can be
// translucent or drawn with a lower opacity. windowSystem names the window system interface the GUI
// talks to ("windows", "xcb", "wayland", "offscreen", ...); an unknown one counts as not blending.
bool windowSystemBlends(const std::string &windowSystem);

} // namespace kvl::platform

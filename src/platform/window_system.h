#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kvl::platform {

// Whether the window system blends windows with what lies beneath them, so that a window can be
// translucent or drawn with a lower opacity. windowSystem names the window system interface the GUI
// talks to ("windows", "xcb", "wayland", "offscreen", ...); an unknown one counts as not blending.
bool windowSystemBlends(const std::string &windowSystem);

// In the two functions below, `windowSystem` is the GUI toolkit's name for the window system the window
// lives on; a window of another system than the one this backend speaks to is left alone.

// Asks the window manager to frame a top-level window with a title bar and a border only: no minimise,
// maximise or close button, no window menu, not resizable. Window managers that ignore such hints
// keep their own frame.
void requestFixedFrame(std::uintptr_t nativeWindow, const std::string &windowSystem);

// The widths of the frame around a window's client area, in pixels.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool operator==(const FrameExtents &) const = default;
};

// The frame the window manager puts around a top-level window, as the manager states it. Before the
// window is first shown the manager is asked to state it in advance where it can (waiting a moment for
// the answer). nullopt where the toolkit's own account of the frame holds (Windows) or no frame is
// stated.
std::optional<FrameExtents> frameExtents(std::uintptr_t nativeWindow, const std::string &windowSystem);

} // namespace kvl::platform

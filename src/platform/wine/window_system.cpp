#include "platform/window_system.h"

#include <X11/Xlib.h>

namespace kvl::platform {

namespace {

// An X server blends windows only while a compositing manager owns the screen's _NET_WM_CM_Sn
// selection; without one, opacity hints are ignored and translucent pixels show as black.
bool compositingManagerRunning() {
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const std::string selection = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.c_str(), False);
    const bool owned = XGetSelectionOwner(display, atom) != None;
    XCloseDisplay(display);
    return owned;
}

} // namespace

// Wayland blends, but gives a client no say over a window's opacity: counted as not blending.
bool windowSystemBlends(const std::string &windowSystem) {
    return windowSystem == "xcb" && compositingManagerRunning();
}

} // namespace kvl::platform

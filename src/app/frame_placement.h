#pragma once

#include <functional>

class QWidget;

namespace kvl::app {

// Places a top-level window by its outer frame: runs `place` now and, when the window manager frames
// the window otherwise than it stated beforehand (or could not state at all), once more as soon as the
// window is mapped. The second run belongs to the current showing; hiding the window drops it. The
// latest `place` holds.
void placeByFrame(QWidget &window, std::function<void()> place);

} // namespace kvl::app

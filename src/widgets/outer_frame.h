#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kvl::widgets {

// A top-level window's frame, in the toolkit's (scaled) pixels, as the window manager states it, also before
// the window is first shown where the manager can say so; the toolkit learns of it only later, and on X11 not
// always.
QMargins frameMargins(const QWidget &window);

// The window's outer geometry, frame included.
QRect outerGeometry(const QWidget &window);

// Moves a top-level window so that the top-left corner of its outer frame is at a point.
void moveOuterTo(QWidget &window, QPoint topLeft);

} // namespace kvl::widgets

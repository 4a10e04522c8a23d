#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kvl::app {

// Where a window's outer frame of `frame` size goes when `wanted` is where it should be: moved just far
// enough to lie inside the work area; on an axis where it is larger than the work area, at the area's
// start, so that its title bar stays on the screen.
QPoint keptInWorkArea(const QRect &workArea, QPoint wanted, const QSize &frame);

// The work area (the screen less panels and docks) of the screen a window is on.
QRect workAreaOf(const QWidget &window);

} // namespace kvl::app

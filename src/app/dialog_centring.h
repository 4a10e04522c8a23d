#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kvl::app {

// The top-left corner that centres a dialog's outer frame on the main window's outer frame; each
// half is taken on its own, rounding toward zero, before the subtraction.
QPoint centredPosition(const QRect &mainFrame, const QSize &dialogFrame);

// Moves a dialog so that its frame is centred on the main window's current frame, as far as the screen
// allows, at its first showing too, when the window manager may frame it only once it is mapped.
void centreOnMainWindow(QWidget &dialog, const QWidget &mainWindow);
// The same on the work area of the window's screen, for a window shown while the main window is not.
void centreOnScreen(QWidget &window);

} // namespace kvl::app

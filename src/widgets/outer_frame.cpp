#include "widgets/outer_frame.h"

#include "platform/window_system.h"

#include <QGuiApplication>
#include <QWidget>
#include <cmath>

namespace kvl::widgets {

QMargins frameMargins(const QWidget &window) {
    if (const auto stated =
            platform::frameExtents(window.winId(), QGuiApplication::platformName().toStdString())) {
        // The manager states screen pixels; the toolkit places windows in its own, scaled ones. Rounded
        // up, so that a placement never cuts the frame.
        const qreal ratio = window.devicePixelRatioF();
        const auto scaled = [ratio](int pixels) { return int(std::ceil(pixels / ratio)); };
        return {scaled(stated->left), scaled(stated->top), scaled(stated->right), scaled(stated->bottom)};
    }
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect outerGeometry(const QWidget &window) { return window.geometry().marginsAdded(frameMargins(window)); }

// The client's own position, not the toolkit's frame position, which rests on the toolkit's idea of
// the frame.
void moveOuterTo(QWidget &window, QPoint topLeft) {
    const QMargins frame = frameMargins(window);
    window.setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), window.size()));
}

} // namespace kvl::widgets

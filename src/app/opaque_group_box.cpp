#include "app/opaque_group_box.h"

#include <QPainter>

void OpaqueGroupBox::paintEvent(QPaintEvent *event) {
    {
        QPainter painter(this);
        // The window's face: a theme may leave group boxes without a fill of their own.
        painter.fillRect(rect(), window()->palette().window());
    }
    QGroupBox::paintEvent(event);
}

#include "app/opaque_group_box.h"

#include <QPainter>

void OpaqueGroupBox::paintEvent(QPaintEvent *event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
    }
    QGroupBox::paintEvent(event);
}

#include "widgets/balloon_placement.h"

#include <algorithm>

namespace kvl::widgets {

namespace {

// The tip stands this far inside the body's side, clear of its rounded corner.
int tipInset(const BalloonShape &shape) { return shape.corner + 4; }

} // namespace

int minimumBodyWidth(const BalloonShape &shape) { return 2 * tipInset(shape) + shape.tail; }

BalloonFrame placeBalloon(const BalloonShape &shape, const QPoint &mouse, const QRect &screen) {
    const QSize window(shape.body.width() + shape.shadow, shape.body.height() + shape.tail + shape.shadow);
    const int inset = tipInset(shape);
    const bool right = mouse.x() - inset + window.width() > screen.right() + 1;
    const bool bottom = mouse.y() + window.height() > screen.bottom() + 1;

    BalloonFrame frame;
    frame.placement = bottom ? (right ? BalloonPlacement::RightBottom : BalloonPlacement::LeftBottom)
                             : (right ? BalloonPlacement::RightTop : BalloonPlacement::Default);
    frame.body = QRect(QPoint(0, bottom ? 0 : shape.tail), shape.body);
    const int tipX = right ? frame.body.right() - inset : inset;
    const int baseX = right ? tipX - shape.tail : tipX + shape.tail;
    const int edgeY = bottom ? frame.body.bottom() : frame.body.top();
    const QPoint tip(tipX, bottom ? window.height() - shape.shadow - 1 : 0);
    frame.tail = QPolygon({QPoint(tipX, edgeY), QPoint(baseX, edgeY), tip});

    QPoint topLeft = mouse - tip;
    topLeft.setX(
        std::clamp(topLeft.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - window.width())));
    topLeft.setY(
        std::clamp(topLeft.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - window.height())));
    frame.window = QRect(topLeft, window);
    return frame;
}

} // namespace kvl::widgets

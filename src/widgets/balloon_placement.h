#pragma once

#include <QPolygon>
#include <QRect>

namespace kvl::widgets {

// Where a balloon's tail leaves it, named by the balloon's corner: the default is the top left corner,
// the balloon standing below and to the right of the mouse.
enum class BalloonPlacement { Default, LeftBottom, RightBottom, RightTop };

struct BalloonFrame {
    BalloonPlacement placement = BalloonPlacement::Default;
    QRect window;  // on the screen: body, tail and shadow
    QRect body;    // within the window
    QPolygon tail; // within the window: two points on the body's edge, then the tip
};

struct BalloonShape {
    QSize body;     // the body that holds the text
    int tail = 0;   // the tail's height and the width of its base
    int corner = 0; // the body's corner radius, kept free of the tail
    int shadow = 0; // below and right of the body
};

// A balloon beside the mouse position with its tail's tip on it, kept on the screen: the tail moves to
// the right when the balloon would leave the screen at the right, to the bottom when it would leave it
// at the bottom. A screen too small for the balloon gets it as far on as it goes.
BalloonFrame placeBalloon(const BalloonShape &shape, const QPoint &mouse, const QRect &screen);

// The narrowest body a tail of that shape fits on beside its corners.
int minimumBodyWidth(const BalloonShape &shape);

} // namespace kvl::widgets

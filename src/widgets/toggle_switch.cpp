#include "widgets/toggle_switch.h"

#include "widgets/accessible_widgets.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QThread>

namespace {

bool animated = true;

constexpr int kSlideFrames = 8;
constexpr int kFrameMs = 15;
// The state flips this many frames before the thumb arrives.
constexpr int kFramesAfterFlip = 2;

QColor mix(const QColor &from, const QColor &to, qreal t) {
    const auto f = static_cast<float>(t); // a colour's parts are floats
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * f,
                            from.greenF() + (to.greenF() - from.greenF()) * f,
                            from.blueF() + (to.blueF() - from.blueF()) * f);
}

} // namespace

TToggleSwitch::TToggleSwitch(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    resize(35, 17);
    kvl::widgets::useAccessibleInterfaces();
}

void TToggleSwitch::setAnimated(bool on) { animated = on; }

int TToggleSwitch::thumbWidth() const { return width() * kThumbPercent / 100; }

int TToggleSwitch::thumbTravel() const { return std::max(0, width() - thumbWidth() - 4); }

QRectF TToggleSwitch::thumbRect() const {
    return QRectF(2 + thumbPos_ * thumbTravel(), 2, thumbWidth(), height() - 4);
}

bool TToggleSwitch::mayChange() {
    bool canChange = true;
    emit changing(canChange);
    return canChange;
}

void TToggleSwitch::flip(bool on) {
    on_ = on;
    QAccessible::State checked;
    checked.checked = true;
    QAccessibleStateChangeEvent told(this, checked);
    QAccessible::updateAccessibility(&told);
    emit switchChanged(on_);
}

void TToggleSwitch::setSwitchOn(bool on) {
    if (on == on_ || !mayChange())
        return;
    thumbPos_ = on ? 1.0 : 0.0;
    blend_ = thumbPos_;
    repaint();
    flip(on);
}

// The slide runs on the GUI thread and takes no input until it ends: a click meanwhile waits for it.
void TToggleSwitch::slideTo(bool on) {
    if (!mayChange())
        return;
    const QPointer<TToggleSwitch> alive(this); // a handler may close the window that owns the switch
    const int frames = animated && isVisible() ? kSlideFrames : 0;
    const qreal start = thumbPos_;
    const qreal target = on ? 1.0 : 0.0;
    for (int frame = 1; frame <= frames; ++frame) {
        const qreal t = qreal(frame) / frames;
        thumbPos_ = start + (target - start) * t;
        blend_ = on ? t : 1.0 - t;
        repaint();
        QThread::msleep(kFrameMs);
        if (frame == frames - kFramesAfterFlip) {
            flip(on);
            if (!alive)
                return;
        }
    }
    thumbPos_ = target;
    blend_ = target;
    if (on_ != on)
        flip(on);
    if (alive)
        update();
}

void TToggleSwitch::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    dragging_ = false;
    pressX_ = e->position().toPoint().x();
    grabOffset_ = pressX_ - int(thumbRect().left());
}

void TToggleSwitch::mouseDoubleClickEvent(QMouseEvent *e) { mousePressEvent(e); }

void TToggleSwitch::mouseMoveEvent(QMouseEvent *e) {
    if (!pressed_)
        return;
    const int x = e->position().toPoint().x();
    if (!dragging_) {
        const bool onThumb = thumbRect().contains(QPointF(pressX_, height() / 2.0));
        if (!onThumb || std::abs(x - pressX_) < 3)
            return;
        dragging_ = true;
        nearFarEnd_ = false;
    }
    const int travel = thumbTravel();
    if (travel == 0)
        return;
    thumbPos_ = std::clamp(qreal(x - grabOffset_ - 2) / travel, 0.0, 1.0);
    blend_ = on_ ? 1.0 : 0.0;
    // The far end is the one the state would move the thumb to; it is offered once per approach.
    const qreal toFarEnd = (on_ ? thumbPos_ : 1.0 - thumbPos_) * travel;
    if (toFarEnd > width() / 10.0) {
        nearFarEnd_ = false;
    } else if (!nearFarEnd_) {
        const bool before = on_;
        setSwitchOn(!on_);
        nearFarEnd_ = on_ == before; // vetoed: not offered again until the thumb has left
    }
    update();
}

void TToggleSwitch::mouseReleaseEvent(QMouseEvent *e) {
    if (!pressed_ || e->button() != Qt::LeftButton)
        return;
    pressed_ = false;
    if (dragging_) {
        dragging_ = false;
        thumbPos_ = on_ ? 1.0 : 0.0;
        blend_ = thumbPos_;
        update();
        emit clicked();
        return;
    }
    if (rect().contains(e->position().toPoint()))
        click();
}

void TToggleSwitch::click() {
    const QPointer<TToggleSwitch> alive(this);
    emit clicked();
    if (alive)
        slideTo(!on_);
}

void TToggleSwitch::drawSymbol(QPainter &painter, const QRectF &content, bool on, qreal opacity) const {
    const qreal side = std::min(content.width(), content.height()) - 4;
    if (side <= 0 || opacity <= 0)
        return;
    QRectF glyph(0, 0, side, side);
    glyph.moveCenter(content.center());
    painter.save();
    painter.setOpacity(opacity);
    painter.setBrush(Qt::NoBrush);
    if (on) {
        painter.setPen(QPen(thumbOnColor_, 1.5));
        painter.drawLine(QPointF(glyph.center().x(), glyph.top()),
                         QPointF(glyph.center().x(), glyph.bottom()));
    } else {
        painter.setPen(QPen(borderColor_, 1.2));
        painter.drawEllipse(glyph.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.restore();
}

void TToggleSwitch::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal round = std::min<qreal>(corner_, track.height() / 2);
    const QColor fill = isEnabled() ? mix(offColor_, onColor_, blend_) : palette().color(QPalette::Button);
    painter.setPen(QPen(mix(borderColor_, onColor_, blend_), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(track, round, round);

    // The symbols sit on the track, on the side the thumb has left.
    const QRectF thumb = thumbRect();
    const QRectF leftPart(track.left(), track.top(), thumb.left() - track.left(), track.height());
    const QRectF rightPart(thumb.right(), track.top(), track.right() - thumb.right(), track.height());
    drawSymbol(painter, leftPart, true, blend_);
    drawSymbol(painter, rightPart, false, 1.0 - blend_);

    painter.setPen(Qt::NoPen);
    painter.setBrush(mix(thumbOffColor_, thumbOnColor_, blend_));
    const qreal thumbRound = std::max<qreal>(0, round - 2);
    painter.drawRoundedRect(thumb, thumbRound, thumbRound);
}

#include "widgets/round_button.h"

#include "widgets/accessible_widgets.h"
#include "widgets/hint_manager.h"
#include "widgets/image_lists.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

// What a window system does for a press that reaches a widget on its own.
void giveClickFocus(QWidget *widget) {
    for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget())
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus)) {
            widget->setFocus(Qt::MouseFocusReason);
            return;
        }
}

} // namespace

TRoundButton::TRoundButton(QWidget *parent) : QAbstractButton(parent) {
    // No click focus from Qt itself: a press outside the circle must not take the focus.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    resize(55, 55);
    kvl::widgets::useAccessibleInterfaces();
}

void TRoundButton::setHint(const QString &text) {
    if (text == hint_)
        return;
    hint_ = text;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void TRoundButton::setImageIndex(int index) {
    imageIndex_ = index;
    update();
}

QSize TRoundButton::sizeHint() const { return {55, 55}; }

int TRoundButton::radius() const { return (std::min(width(), height()) - 1) / 2; }

bool TRoundButton::hitButton(const QPoint &pos) const {
    const QPoint centre(width() / 2, height() / 2);
    const QPoint d = pos - centre;
    return d.x() * d.x() + d.y() * d.y() <= radius() * radius();
}

void TRoundButton::setHot(bool hot) {
    if (hot_ != hot) {
        hot_ = hot;
        update();
    }
}

// QAbstractButton knows only Space; the round buttons also press with Return, clicking on release.
bool TRoundButton::handleReturnKey(QEvent *e) {
    auto *key = static_cast<QKeyEvent *>(e);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (e->type() == QEvent::KeyPress) {
        if (!key->isAutoRepeat())
            setDown(true);
    } else if (!key->isAutoRepeat() && isDown()) {
        setDown(false);
        click();
    }
    return true;
}

QWidget *TRoundButton::widgetBeneath(const QPoint &pos) {
    QWidget *top = window();
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QWidget *beneath = top->childAt(mapTo(top, pos));
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    return beneath ? beneath : top;
}

// A press outside the circle, and what follows it until the release, goes to the widget beneath.
bool TRoundButton::passBeneath(QEvent *e) {
    auto *mouse = static_cast<QMouseEvent *>(e);
    const QPoint pos = mouse->position().toPoint();
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        beneath_ = hitButton(pos) ? nullptr : widgetBeneath(pos);
        if (beneath_ && e->type() == QEvent::MouseButtonPress)
            giveClickFocus(beneath_);
    }
    if (!beneath_)
        return false;
    const QPointer<QWidget> target = beneath_;
    if (e->type() == QEvent::MouseButtonRelease)
        beneath_ = nullptr;
    QMouseEvent passed(e->type(), target->mapFromGlobal(mouse->globalPosition()), mouse->globalPosition(),
                       mouse->button(), mouse->buttons(), mouse->modifiers());
    QApplication::sendEvent(target, &passed);
    return true;
}

bool TRoundButton::event(QEvent *e) {
    switch (e->type()) {
    case QEvent::ToolTip: {
        auto *help = static_cast<QHelpEvent *>(e);
        if (!hitButton(help->pos())) {
            QWidget *beneath = widgetBeneath(help->pos());
            QHelpEvent passed(QEvent::ToolTip, beneath->mapFromGlobal(help->globalPos()), help->globalPos());
            return QApplication::sendEvent(beneath, &passed);
        }
        THintManager::showHint(this, help->globalPos(), showHint_ ? hint_ : QString());
        return true;
    }
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        setHot(hitButton(static_cast<QHoverEvent *>(e)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
        setHot(false);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        if (passBeneath(e))
            return true;
        const bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
        if (press && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton && isEnabled())
            setFocus(Qt::MouseFocusReason);
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (handleReturnKey(e))
            return true;
        break;
    default:
        break;
    }
    return QAbstractButton::event(e);
}

void TRoundButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    // The face leaves room around it for the focus ring and its gap, so that it never jumps.
    const qreal face = radius() - focusWidth_ - focusGap_;

    for (int offset = shadow_; offset > 0; --offset) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 20));
        painter.drawEllipse(centre + QPointF(0, offset), face, face);
    }

    const bool enabled = isEnabled();
    const QColor fill = !enabled ? disabledColor_ : isDown() ? pressedColor_ : hot_ ? hotColor_ : faceColor_;
    const QColor edge = !enabled   ? disabledBorderColor_
                        : isDown() ? pressedBorderColor_
                        : hot_     ? hotBorderColor_
                                   : borderColor_;
    // The bottom of the edge may be darker, as a face standing slightly off the window.
    const QColor bottomEdge = enabled && !isDown() && !hot_ ? borderBottomColor_ : edge;
    QLinearGradient faceShade(0, centre.y() - face, 0, centre.y() + face);
    faceShade.setColorAt(0, fill.lighter(100 + shading_));
    faceShade.setColorAt(1, fill.darker(100 + shading_ / 2));
    QLinearGradient edgeShade(faceShade.start(), faceShade.finalStop());
    edgeShade.setColorAt(0.5, edge);
    edgeShade.setColorAt(1, bottomEdge);
    painter.setPen(QPen(QBrush(edgeShade), 1));
    painter.setBrush(faceShade);
    painter.drawEllipse(centre, face - 0.5, face - 0.5);

    if (hasFocus()) {
        painter.setPen(QPen(focusColor_, focusWidth_));
        painter.setBrush(Qt::NoBrush);
        const qreal ring = radius() - focusWidth_ / 2.0;
        painter.drawEllipse(centre, ring, ring);
    }

    QPixmap image = kvl::widgets::buttonImage(imageIndex_);
    if (!image.isNull()) {
        if (!enabled) {
            QStyleOption option; // the style reads the palette from it
            option.initFrom(this);
            image = style()->generatedIconPixmap(QIcon::Disabled, image, &option);
        }
        const int shift = isDown() ? 1 : 0;
        QRect target(QPoint(), image.deviceIndependentSize().toSize());
        target.moveCenter(rect().center() + QPoint(shift, shift));
        if (!text().isEmpty())
            target.moveTop(4 + shift);
        painter.drawPixmap(target, image);
    }
    if (!text().isEmpty())
        painter.drawText(rect().adjusted(0, 0, 0, -4), Qt::AlignHCenter | Qt::AlignBottom, text());
}

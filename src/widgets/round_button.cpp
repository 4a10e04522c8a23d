#include "widgets/round_button.h"

#include "widgets/hint_manager.h"
#include "widgets/image_lists.h"

#include <QHelpEvent>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TRoundButton::TRoundButton(QWidget *parent) : QAbstractButton(parent) {
    // No click focus from Qt itself: a press outside the circle must not take the focus.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    resize(55, 55);
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

bool TRoundButton::event(QEvent *e) {
    switch (e->type()) {
    case QEvent::ToolTip: {
        auto *help = static_cast<QHelpEvent *>(e);
        if (showHint_ && hitButton(help->pos()))
            THintManager::showHint(this, help->globalPos(), hint_);
        else
            THintManager::showHint(this, help->globalPos(), QString());
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
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(e);
        if (mouse->button() == Qt::LeftButton && hitButton(mouse->position().toPoint()) && isEnabled())
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
    const int r = radius();
    const QPointF centre(width() / 2.0, height() / 2.0);

    QColor face = isDown() ? pressedColor_ : hot_ ? hotColor_ : faceColor_;
    QRadialGradient gradient(centre - QPointF(r / 3.0, r / 3.0), r * 1.6);
    gradient.setColorAt(0, face.lighter(108));
    gradient.setColorAt(1, face.darker(106));
    painter.setPen(QPen(hasFocus() ? focusColor_ : borderColor_, hasFocus() ? 2.0 : 1.0));
    painter.setBrush(gradient);
    painter.drawEllipse(centre, r - 0.5, r - 0.5);

    QPixmap image = kvl::widgets::buttonImage(imageIndex_);
    if (!image.isNull()) {
        if (!isEnabled()) {
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

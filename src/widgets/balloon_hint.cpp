#include "widgets/balloon_hint.h"

#include "platform/window_system.h"
#include "widgets/fonts.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <cmath>

using kvl::widgets::BalloonShape;

namespace {
constexpr int kFontPixels = 11; // 8 pt at 96 dpi
}

TBalloonHint::TBalloonHint()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    blended_ = kvl::platform::windowSystemBlends(QGuiApplication::platformName().toStdString());
    setAttribute(Qt::WA_TranslucentBackground, blended_);
    setFont(kvl::widgets::tahoma(kFontPixels));
    layout_.setFont(font());
}

// Lines as wide as the body allows, breaking inside a word only where a word alone is too wide.
QSize TBalloonHint::layOutText() {
    const int widest = kMaxWidth - (blended_ ? shadow_ : 0) - 2 * margin_;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    layout_.beginLayout();
    qreal height = 0;
    qreal width = 0;
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLineWidth(widest);
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
    }
    layout_.endLayout();
    return {int(std::ceil(width)), int(std::ceil(height))};
}

void TBalloonHint::showText(const QString &text, const QPoint &mouse) {
    ensurePolished(); // the theme's metrics
    layout_.setText(QString(text).replace(QLatin1Char('\n'), QChar::LineSeparator));
    const QSize textSize = layOutText();
    BalloonShape shape{QSize(), tail_, corner_, blended_ ? shadow_ : 0};
    shape.body = QSize(std::max(textSize.width() + 2 * margin_, kvl::widgets::minimumBodyWidth(shape)),
                       textSize.height() + 2 * margin_);
    const QScreen *screen = QGuiApplication::screenAt(mouse);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    frame_ = kvl::widgets::placeBalloon(shape, mouse, screen ? screen->availableGeometry() : QRect());
    setGeometry(frame_.window);
    if (!blended_)
        setMask(QRegion(outline().toFillPolygon().toPolygon()));
    show();
    update();
}

QPainterPath TBalloonHint::outline() const {
    QPainterPath body;
    body.addRoundedRect(QRectF(frame_.body).adjusted(0.5, 0.5, -0.5, -0.5), corner_, corner_);
    QPainterPath tail;
    tail.addPolygon(QPolygonF(frame_.tail));
    tail.closeSubpath();
    return body.united(tail);
}

void TBalloonHint::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, blended_);
    const QPainterPath shape = outline();
    for (int offset = shadow_; blended_ && offset > 0; --offset)
        painter.fillPath(shape.translated(offset, offset), QColor(0, 0, 0, 24));
    painter.fillPath(shape, fill_);
    painter.strokePath(shape, QPen(border_, 1));

    painter.setPen(Qt::black);
    const qreal textWidth = frame_.body.width() - 2 * margin_;
    for (int i = 0; i < layout_.lineCount(); ++i) {
        const QTextLine line = layout_.lineAt(i);
        const qreal centring = (textWidth - line.naturalTextWidth()) / 2;
        line.draw(&painter, QPointF(frame_.body.left() + margin_ + centring, frame_.body.top() + margin_));
    }
}

#include "widgets/shadow_label.h"

#include <QGraphicsDropShadowEffect>

TShadowLabel::TShadowLabel(QWidget *parent) : QLabel(parent) {
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(40);
    setFont(title);
    setTextFormat(Qt::PlainText);
    QPalette grey = palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    setPalette(grey);
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(Qt::black);
    shadow->setBlurRadius(4);
    shadow->setOffset(1, 1);
    setGraphicsEffect(shadow);
}

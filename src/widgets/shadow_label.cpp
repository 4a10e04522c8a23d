#include "widgets/shadow_label.h"

#include "widgets/fonts.h"

#include <QGraphicsDropShadowEffect>

TShadowLabel::TShadowLabel(QWidget *parent) : QLabel(parent) {
    setFont(kvl::widgets::tahoma(40));
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

#include "widgets/link_label.h"

#include "platform/system.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(QWidget *parent) : QLabel(parent) {
    QFont bold = font();
    bold.setBold(true);
    bold.setUnderline(true);
    setFont(bold);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void TLinkLabel::click() {
    if (!url_.isEmpty())
        kvl::platform::shellOpen(url_.toStdString());
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        click();
    QLabel::mouseReleaseEvent(e);
}

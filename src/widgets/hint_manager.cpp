#include "widgets/hint_manager.h"

#include <QPalette>
#include <QToolTip>
#include <QWidget>

void THintManager::showHint(QWidget *control, const QPoint &globalPos, const QString &text) {
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(globalPos, balloonMarkup(text), control, control->rect(), kHidePauseMs);
}

QString THintManager::balloonMarkup(const QString &text) {
    return QStringLiteral("<p align=\"center\">%1</p>").arg(text.toHtmlEscaped());
}

void THintManager::install() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    QToolTip::setFont(font);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
    QToolTip::setPalette(palette);
}

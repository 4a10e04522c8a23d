#include "widgets/themed_status_bar.h"

#include <QLabel>

TThemedStatusBar::TThemedStatusBar(QWidget *parent) : QFrame(parent) {
    setFixedHeight(kHeight);
    int left = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setProperty("statusPanel", true); // the themes frame the panels, not hosted labels
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((i == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        label->setGeometry(left, 2, kPanelWidths[i] - 2, kHeight - 4);
        label->lower(); // hosted children stay above the panels
        left += kPanelWidths[i];
        panels_[i] = label;
    }
}

QLabel *TThemedStatusBar::panel(int index) const {
    return index >= 0 && index < int(panels_.size()) ? panels_[std::size_t(index)] : nullptr;
}

void TThemedStatusBar::setPanelText(int index, const QString &text) {
    if (QLabel *label = panel(index))
        label->setText(text);
}

QString TThemedStatusBar::panelText(int index) const {
    const QLabel *label = panel(index);
    return label ? label->text() : QString();
}

// The last panel reaches the bar's right edge whatever width the window's frame leaves the bar, as the
// system's status bar does; no empty strip stays at its right.
void TThemedStatusBar::resizeEvent(QResizeEvent *e) {
    QFrame::resizeEvent(e);
    QLabel *last = panels_.back();
    const int lastLeft = kPanelWidths[0] + kPanelWidths[1];
    last->setGeometry(lastLeft, 2, std::max(0, width() - lastLeft - 2), kHeight - 4);
}

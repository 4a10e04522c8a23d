#pragma once

#include <QFrame>
#include <array>

class QLabel;

// The main window's status bar: 30 pixels high, no size grip, three panels of 420, 110 (text
// right-aligned) and 230 pixels from the left. Child widgets placed on the bar (an icon, a link label)
// stand in whatever panel their position falls into.
class TThemedStatusBar : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;
    static constexpr std::array<int, 3> kPanelWidths{420, 110, 230};

    explicit TThemedStatusBar(QWidget *parent = nullptr);

    QLabel *panel(int index) const; // nullptr outside 0..2
    void setPanelText(int index, const QString &text);
    QString panelText(int index) const;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    std::array<QLabel *, 3> panels_{};
};

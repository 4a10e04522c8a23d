#pragma once

#include "widgets/balloon_placement.h"

#include <QColor>
#include <QTextLayout>
#include <QWidget>

// The "Yellow balloon" of the hints: a body with a tail pointing at the mouse, the text in "Tahoma" 8 pt
// black, wrapped and centred, never wider than kMaxWidth pixels. The theme's style sheet sets its look
// through the qproperty-* names. Where the window system does not blend windows the balloon is cut to
// its shape and drawn without a shadow.
class TBalloonHint : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor fillColor MEMBER fill_)
    Q_PROPERTY(QColor borderColor MEMBER border_)
    Q_PROPERTY(int corner MEMBER corner_)
    Q_PROPERTY(int tail MEMBER tail_)
    Q_PROPERTY(int margin MEMBER margin_)
    Q_PROPERTY(int shadow MEMBER shadow_)
public:
    // Logical pixels, the theme graphics being drawn at 100 %: the same width at any dpi.
    static constexpr int kMaxWidth = 150;

    TBalloonHint();

    // Shows the text beside a global mouse position, on the screen that holds it.
    void showText(const QString &text, const QPoint &mouse);
    QString text() const { return layout_.text(); }
    kvl::widgets::BalloonPlacement placement() const { return frame_.placement; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize layOutText();
    QPainterPath outline() const;

    QColor fill_{0xff, 0xff, 0xe1};
    QColor border_{0x76, 0x76, 0x76};
    int corner_ = 0;
    int tail_ = 14;
    int margin_ = 6;
    int shadow_ = 2;
    bool blended_ = false;
    QTextLayout layout_;
    kvl::widgets::BalloonFrame frame_;
};

#pragma once

#include <QColor>
#include <QWidget>

// A toggle switch (35x17 on the forms), reversed, with on/off symbols drawn on the track.
// Not a tab stop, no keyboard input. Setting the state by code emits switchChanged only on a real
// change; a mouse click emits clicked() with the old state, then changes state and emits switchChanged.
// The theme's style sheet sets the colours through the qproperty-* names.
class TToggleSwitch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor onColor MEMBER onColor_)
    Q_PROPERTY(QColor offColor MEMBER offColor_)
    Q_PROPERTY(QColor thumbColor MEMBER thumbColor_)
    Q_PROPERTY(QColor borderColor MEMBER borderColor_)
public:
    explicit TToggleSwitch(QWidget *parent = nullptr);

    bool switchOn() const { return on_; }
    void setSwitchOn(bool on);

    // The thumb's share of the width, in percent (45 on the forms).
    static constexpr int kThumbPercent = 45;
    // Off: a click flips the state at once instead of sliding the thumb.
    static void setAnimated(bool on);

signals:
    void clicked();
    void switchChanged(bool on);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    int thumbWidth() const;
    int thumbTravel() const;
    QRectF thumbRect() const;
    void animateTo(bool on);
    void drawSymbol(QPainter &painter, const QRectF &content, bool on, qreal opacity) const;

    bool on_ = true;
    bool pressed_ = false;
    bool dragging_ = false;
    int pressX_ = 0;
    int grabOffset_ = 0;
    qreal thumbPos_ = 1.0; // 0 = left end, 1 = right end; reversed: on sits at the right
    qreal blend_ = 1.0;    // how far the look has faded from the off colours to the on colours
    QColor onColor_{0x00, 0x78, 0xd7};
    QColor offColor_{0xff, 0xff, 0xff};
    QColor thumbColor_{0x33, 0x33, 0x33};
    QColor borderColor_{0x33, 0x33, 0x33};
};

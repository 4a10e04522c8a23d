#pragma once

#include <QColor>
#include <QWidget>

// A toggle switch (35x17 on the forms), reversed, with on/off symbols drawn on the track.
// Not a tab stop, no keyboard input. Every change of state is first offered to changing(), whose
// handler may veto it; then switchChanged() follows. Setting the state by code changes it at once
// (the same state does nothing). A click emits clicked() with the old state, then slides the thumb,
// the old look fading into the new, and flips the state shortly before the thumb arrives. Dragging
// the thumb flips the state when it comes within a tenth of the width of the far end; the release
// after a drag emits only clicked(). The theme's style sheet sets the look through the qproperty-*
// names.
class TToggleSwitch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor onColor MEMBER onColor_)
    Q_PROPERTY(QColor offColor MEMBER offColor_)
    Q_PROPERTY(QColor borderColor MEMBER borderColor_)
    Q_PROPERTY(QColor thumbOnColor MEMBER thumbOnColor_)
    Q_PROPERTY(QColor thumbOffColor MEMBER thumbOffColor_)
    Q_PROPERTY(int corner MEMBER corner_)
public:
    explicit TToggleSwitch(QWidget *parent = nullptr);

    bool switchOn() const { return on_; }
    void setSwitchOn(bool on);
    // Where the thumb stands: 0 at the left end (off), 1 at the right end (on).
    qreal thumbPosition() const { return thumbPos_; }

    // The thumb's share of the width, in percent (45 on the forms).
    static constexpr int kThumbPercent = 45;
    // Off: a click flips the state at once instead of sliding the thumb.
    static void setAnimated(bool on);
    // What a click of the mouse does: clicked() with the old state, then the slide to the other state.
    void click();

signals:
    void clicked();
    void changing(bool &canChange);
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
    bool mayChange();
    void flip(bool on);
    void slideTo(bool on);
    void drawSymbol(QPainter &painter, const QRectF &content, bool on, qreal opacity) const;

    bool on_ = true;
    bool pressed_ = false;
    bool dragging_ = false;
    bool nearFarEnd_ = false; // while dragging: the thumb is within reach of the far end
    int pressX_ = 0;
    int grabOffset_ = 0;
    qreal thumbPos_ = 1.0;
    qreal blend_ = 1.0; // how far the look has faded from the off colours to the on colours
    QColor onColor_{0x00, 0x78, 0xd7};
    QColor offColor_{0xff, 0xff, 0xff};
    QColor borderColor_{0x33, 0x33, 0x33};
    QColor thumbOnColor_{0xff, 0xff, 0xff};
    QColor thumbOffColor_{0x33, 0x33, 0x33};
    int corner_ = 0;
};

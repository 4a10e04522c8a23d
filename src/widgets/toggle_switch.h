#pragma once

#include <QWidget>

// A toggle switch (35x17 on the forms), reversed, with on/off symbols drawn on the track.
// Not a tab stop, no keyboard input. Setting the state by code emits switchChanged only on a real
// change; a mouse click emits clicked() with the old state, then changes state and emits switchChanged.
class TToggleSwitch : public QWidget {
    Q_OBJECT
public:
    explicit TToggleSwitch(QWidget *parent = nullptr);

    bool switchOn() const { return on_; }
    void setSwitchOn(bool on);

signals:
    void clicked();
    void switchChanged(bool on);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    bool on_ = true;
    bool pressed_ = false;
};

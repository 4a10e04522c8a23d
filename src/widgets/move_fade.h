#pragma once

#include <QObject>
#include <QPointer>
#include <QPropertyAnimation>
#include <QTimer>
#include <algorithm>
#include <functional>

class QWidget;

// While the user moves a window it is drawn semi-transparent: its opacity falls to opacity() of 255
// within time() milliseconds, and comes back to opaque at once when the move ends. Where the window
// system does not blend windows nothing happens at all.
class TMoveFade : public QObject {
    Q_OBJECT
public:
    // Whether the window system blends windows now (a compositing manager may come and go).
    using BlendProbe = std::function<bool()>;
    explicit TMoveFade(BlendProbe windowSystemBlends = {});

    bool active() const { return active_; }
    void setActive(bool on);
    int time() const { return timeMs_; }
    void setTime(int ms) { timeMs_ = ms; }
    int opacity() const { return opacity_; }
    void setOpacity(int of255) { opacity_ = std::clamp(of255, 0, 255); }

    // A move ends when the window has stood still this long (kSettleMs unless set): window systems report
    // no end of a move.
    static constexpr int kSettleMs = 300;
    int settleTime() const { return settle_.interval(); }
    void setSettleTime(int ms) { settle_.setInterval(ms); }
    // Moves a window manager makes while placing a window it has just shown are no user's moves.
    static constexpr int kPlacementMs = 400;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moved(QWidget *window);
    void end();

    BlendProbe blends_;
    bool active_ = true;
    int timeMs_ = 500;
    int opacity_ = 200;
    QPointer<QWidget> window_; // the window being moved
    bool fading_ = false;      // and faded, the window system blending
    QPropertyAnimation fade_;
    QTimer settle_;
};

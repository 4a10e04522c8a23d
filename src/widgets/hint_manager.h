#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class QPoint;
class QWidget;
class TBalloonHint;

// Shows every hint of the program as a balloon of the template "Yellow balloon", at most 150 pixels
// wide, beside the mouse, for the hide pause (5000 ms). The manager created last is the one in charge; the
// controls whose hint switch is on hand it their hints.
class THintManager : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kTemplate = "Yellow balloon";
    static constexpr int kHidePauseMs = 5000;

    explicit THintManager(QObject *parent = nullptr);
    ~THintManager() override;

    // Shows a control's hint beside a global mouse position; an empty text hides any hint. Without a
    // manager in charge nothing is shown.
    static void showHint(QWidget *control, const QPoint &globalPos, const QString &text);
    // The balloon while it is shown, else nullptr.
    TBalloonHint *shownBalloon() const;
    int hidePause() const { return hideTimer_.interval(); }
    void setHidePause(int ms) { hideTimer_.setInterval(ms); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(QWidget *control, const QPoint &globalPos, const QString &text);
    void hide();

    THintManager *previous_ = nullptr; // in charge before this one
    std::unique_ptr<TBalloonHint> balloon_;
    QPointer<QWidget> control_;
    QMetaObject::Connection controlGone_;
    QTimer hideTimer_;
};

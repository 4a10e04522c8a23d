#include "widgets/hint_manager.h"

#include "widgets/balloon_hint.h"

#include <QApplication>
#include <QWidget>

namespace {
THintManager *inCharge = nullptr;
}

THintManager::THintManager(QObject *parent) : QObject(parent), previous_(inCharge) {
    inCharge = this;
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kHidePauseMs);
    connect(&hideTimer_, &QTimer::timeout, this, &THintManager::hide);
}

THintManager::~THintManager() {
    if (inCharge == this)
        inCharge = previous_;
}

void THintManager::showHint(QWidget *control, const QPoint &globalPos, const QString &text) {
    if (!inCharge)
        return;
    if (text.isEmpty())
        inCharge->hide();
    else
        inCharge->show(control, globalPos, text);
}

TBalloonHint *THintManager::shownBalloon() const {
    return balloon_ && balloon_->isVisible() ? balloon_.get() : nullptr;
}

void THintManager::show(QWidget *control, const QPoint &globalPos, const QString &text) {
    if (!balloon_)
        balloon_ = std::make_unique<TBalloonHint>(); // made at the first hint: a start-up needs none
    disconnect(controlGone_);
    control_ = control;
    controlGone_ = connect(control, &QObject::destroyed, this, &THintManager::hide);
    balloon_->showText(text, globalPos);
    hideTimer_.start();
    qApp->installEventFilter(this);
}

void THintManager::hide() {
    qApp->removeEventFilter(this);
    hideTimer_.stop();
    disconnect(controlGone_);
    control_ = nullptr;
    if (balloon_)
        balloon_->hide();
}

// Watches only while a balloon is shown: any click, key or wheel turn ends it, as does the mouse
// leaving its control or the control going away.
bool THintManager::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::ApplicationDeactivate:
        hide();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == control_)
            hide();
        break;
    default:
        break;
    }
    return false;
}

#include "widgets/move_fade.h"

#include "platform/window_system.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QWidget>

namespace {

const char *const kShownAt = "kvlShownAt";

bool blendsNow() { return kvl::platform::windowSystemBlends(QGuiApplication::platformName().toStdString()); }

} // namespace

TMoveFade::TMoveFade(BlendProbe windowSystemBlends)
    : blends_(windowSystemBlends ? std::move(windowSystemBlends) : BlendProbe(blendsNow)) {
    fade_.setPropertyName("windowOpacity");
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &TMoveFade::end);
    if (qApp)
        qApp->installEventFilter(this);
}

void TMoveFade::setActive(bool on) {
    active_ = on;
    if (!on)
        end();
}

bool TMoveFade::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Hide) || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || window->windowType() == Qt::ToolTip || window->windowType() == Qt::Popup)
        return false;
    const qint64 now = QDeadlineTimer::current().deadline();
    if (type == QEvent::Show)
        window->setProperty(kShownAt, now);
    // Only the window system reports moves the program did not make itself.
    else if (type == QEvent::Move && event->spontaneous() && window->isVisible() &&
             now - window->property(kShownAt).toLongLong() >= kPlacementMs)
        moved(window);
    else if (type == QEvent::Hide && window == window_)
        end();
    return false;
}

// The window system is asked once per move, not at each step of it.
void TMoveFade::moved(QWidget *window) {
    if (window != window_) {
        end();
        window_ = window;
        fading_ = active_ && blends_();
        if (fading_) {
            fade_.setTargetObject(window);
            fade_.setDuration(timeMs_);
            fade_.setStartValue(1.0);
            fade_.setEndValue(opacity_ / 255.0);
            fade_.start();
        }
    }
    settle_.start();
}

void TMoveFade::end() {
    settle_.stop();
    fade_.stop();
    if (window_ && fading_)
        window_->setWindowOpacity(1.0);
    window_ = nullptr;
    fading_ = false;
}

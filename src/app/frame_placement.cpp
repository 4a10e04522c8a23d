#include "app/frame_placement.h"

#include "widgets/outer_frame.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace kvl::app {

namespace {

// Window managers that cannot state a frame in advance put it around the window when they map it.
// The window's native side hears of that as its first exposure; the placement then runs again when
// the frame differs from the one it used, from the event loop, outside that event.
class FramePlacement : public QObject {
public:
    static constexpr const char *kName = "kvlFramePlacement";

    explicit FramePlacement(QWidget &window) : QObject(&window), window_(window) { setObjectName(kName); }

    void placeNow(std::function<void()> place) {
        place_ = std::move(place);
        place_();
        placedWith_ = widgets::frameMargins(window_);
        waitingForExposure_ = true;
        // The native window exists from the first showing on and may be made anew later.
        if (QWindow *native = window_.windowHandle())
            native->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!waitingForExposure_ || watched != window_.windowHandle())
            return false;
        if (event->type() == QEvent::Hide) {
            waitingForExposure_ = false;
        } else if (event->type() == QEvent::Expose && window_.windowHandle()->isExposed()) {
            waitingForExposure_ = false;
            if (widgets::frameMargins(window_) != placedWith_)
                QMetaObject::invokeMethod(
                    this, [this] { place_(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget &window_;
    std::function<void()> place_;
    QMargins placedWith_;
    bool waitingForExposure_ = false;
};

} // namespace

void placeByFrame(QWidget &window, std::function<void()> place) {
    auto *placement = static_cast<FramePlacement *>(
        window.findChild<QObject *>(QLatin1String(FramePlacement::kName), Qt::FindDirectChildrenOnly));
    if (!placement)
        placement = new FramePlacement(window);
    placement->placeNow(std::move(place));
}

} // namespace kvl::app

#include "widgets/window_frame.h"

#include "platform/window_system.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

namespace kvl::widgets {

namespace {

// The toolkit rewrites its own frame hints when a window's flags change, so the request is repeated
// just before each showing, when the window exists and is not mapped yet.
class FixedFrameRequest : public QObject {
public:
    static constexpr const char *kName = "kvlFixedFrameRequest";

    explicit FixedFrameRequest(QWidget &window) : QObject(&window) {
        setObjectName(kName);
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched == parent())
            platform::requestFixedFrame(static_cast<QWidget *>(watched)->winId(),
                                        QGuiApplication::platformName().toStdString());
        return false;
    }
};

} // namespace

void useFixedDialogFrame(QWidget &window) {
    // Title without buttons: the toolkit turns these flags into the matching hints on every system. A
    // window kept above or below the others stays so.
    const Qt::WindowFlags stacking = Qt::WindowStaysOnTopHint | Qt::WindowStaysOnBottomHint;
    // A window without a parent is the program's main window: a dialog type would mark it as belonging to
    // a hidden window, and task bars would not list it.
    const Qt::WindowFlags type = window.parentWidget() ? Qt::Dialog : Qt::Window;
    window.setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          (window.windowFlags() & stacking));
    if (!window.findChild<QObject *>(QLatin1String(FixedFrameRequest::kName), Qt::FindDirectChildrenOnly))
        new FixedFrameRequest(window);
}

void showEmptyTitle(QWidget &window) { window.setWindowTitle(QStringLiteral(" ")); }

} // namespace kvl::widgets

#include "app/dialog_centring.h"

#include "app/frame_placement.h"
#include "app/work_area.h"
#include "widgets/outer_frame.h"

#include <QWidget>

namespace kvl::app {

QPoint centredPosition(const QRect &mainFrame, const QSize &dialogFrame) {
    return {mainFrame.left() + mainFrame.width() / 2 - dialogFrame.width() / 2,
            mainFrame.top() + mainFrame.height() / 2 - dialogFrame.height() / 2};
}

void centreOnMainWindow(QWidget &dialog, const QWidget &mainWindow) {
    placeByFrame(dialog, [&dialog, &mainWindow] {
        const QSize frame = widgets::outerGeometry(dialog).size();
        QPoint topLeft = centredPosition(widgets::outerGeometry(mainWindow), frame);
        // A main window larger than the screen would put the dialog partly off it.
        if (const QRect workArea = workAreaOf(mainWindow); !workArea.isEmpty())
            topLeft = keptInWorkArea(workArea, topLeft, frame);
        widgets::moveOuterTo(dialog, topLeft);
    });
}

void centreOnScreen(QWidget &window) {
    placeByFrame(window, [&window] {
        const QRect workArea = workAreaOf(window);
        const QSize frame = widgets::outerGeometry(window).size();
        if (!workArea.isEmpty())
            widgets::moveOuterTo(window, keptInWorkArea(workArea, centredPosition(workArea, frame), frame));
    });
}

} // namespace kvl::app

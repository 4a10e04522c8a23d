#include "app/dialog_centring.h"

#include "app/frame_placement.h"
#include "widgets/outer_frame.h"

#include <QWidget>

namespace kvl::app {

QPoint centredPosition(const QRect &mainFrame, const QSize &dialogFrame) {
    return {mainFrame.left() + mainFrame.width() / 2 - dialogFrame.width() / 2,
            mainFrame.top() + mainFrame.height() / 2 - dialogFrame.height() / 2};
}

void centreOnMainWindow(QWidget &dialog, const QWidget &mainWindow) {
    placeByFrame(dialog, [&dialog, &mainWindow] {
        widgets::moveOuterTo(dialog, centredPosition(widgets::outerGeometry(mainWindow),
                                                     widgets::outerGeometry(dialog).size()));
    });
}

} // namespace kvl::app

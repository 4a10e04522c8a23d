#include "app/dialog_centring.h"

#include <QWidget>

namespace kvl::app {

QPoint centredPosition(const QRect &mainFrame, const QSize &dialogFrame) {
    return {mainFrame.left() + mainFrame.width() / 2 - dialogFrame.width() / 2,
            mainFrame.top() + mainFrame.height() / 2 - dialogFrame.height() / 2};
}

void centreOnMainWindow(QWidget &dialog, const QWidget &mainWindow) {
    // Before its first showing a dialog has no frame yet; its client size stands in for it.
    const QSize frame = dialog.frameGeometry().size().expandedTo(dialog.size());
    dialog.move(centredPosition(mainWindow.frameGeometry(), frame));
}

} // namespace kvl::app

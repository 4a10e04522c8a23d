#include "app/work_area.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kvl::app {

namespace {

int keptInside(int areaStart, int areaLength, int wanted, int length) {
    if (length >= areaLength)
        return areaStart;
    return std::clamp(wanted, areaStart, areaStart + areaLength - length);
}

} // namespace

QPoint keptInWorkArea(const QRect &workArea, QPoint wanted, const QSize &frame) {
    return {keptInside(workArea.left(), workArea.width(), wanted.x(), frame.width()),
            keptInside(workArea.top(), workArea.height(), wanted.y(), frame.height())};
}

QRect workAreaOf(const QWidget &window) {
    const QScreen *screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace kvl::app

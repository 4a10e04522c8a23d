#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <cstdio>
#include <cstdlib>

// Installed on a window: at its first paint, once the event loop is back, prints "painted" and ends the
// process. The start-up benchmark times both the editor and its baseline to that line.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::puts("painted");
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

// Installed on the application: at the first paint of a window, once the event loop is back, prints
// "painted" and ends the process. The start-up benchmark times both the editor and its baseline to that
// line; watching the whole application lets the editor start exactly as the program does.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const auto *widget = qobject_cast<const QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow())
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

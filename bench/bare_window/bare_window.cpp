// The start-up baseline: a bare Qt window of the main window's size, nothing else. Prints "painted"
// on stdout at its first paint and ends, exactly as the editor does under the start-up benchmark.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {
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
} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("KVL-17+ Settings Editor");
    window.resize(776, 540);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return application.exec();
}

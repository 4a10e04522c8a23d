// The start-up baseline: a bare Qt window of the main window's size, nothing else. Prints "painted"
// on stdout at its first paint and ends, exactly as the editor does under the start-up benchmark.
// With --label the window shows one line of text: the second baseline, which pays for the fonts.
#include "../first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QWidget window;
    if (QApplication::arguments().contains(QStringLiteral("--label")))
        (new QLabel(QStringLiteral("WARNING !"), &window))->move(16, 16);
    window.setWindowTitle("KVL-17+ Settings Editor");
    window.resize(776, 540);
    FirstPaint firstPaint;
    application.installEventFilter(&firstPaint);
    window.show();
    return application.exec();
}

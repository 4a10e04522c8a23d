// The editor as main.cpp starts it, printing "painted" on stdout at its main window's first paint and
// ending there: what the start-up benchmarks time against the bare window.
#include "../first_paint.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/program_state.h"
#include "app/windows.h"

int main(int argc, char **argv) {
    kvl::app::Application application(argc, argv);
    kvl::app::createWindows();
    FirstPaint firstPaint;
    Form1->installEventFilter(&firstPaint);
    Form1->show();
    return application.exec();
}

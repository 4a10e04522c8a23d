// The editor started exactly as main.cpp starts it, printing "painted" on stdout at its main window's
// first paint and ending there: what the start-up benchmarks time against the bare window.
#include "../first_paint.h"
#include "app/application.h"

int main(int argc, char **argv) {
    if (const auto exitCode = kvl::app::answerCommandLine(argc, argv))
        return *exitCode;
    kvl::app::Application application(argc, argv);
    FirstPaint firstPaint;
    application.installEventFilter(&firstPaint);
    return application.run();
}

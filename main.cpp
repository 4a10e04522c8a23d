#include "app/application.h"

int main(int argc, char **argv) {
    if (const auto exitCode = kvl::app::answerCommandLine(argc, argv))
        return *exitCode;
    kvl::app::Application application(argc, argv);
    return application.run();
}

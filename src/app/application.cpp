#include "app/application.h"

#include "app/guarded_call.h"
#include "app/host_store_check.h"
#include "app/program_state.h"
#include "app/windows.h"
#include "i18n/fixed_texts.h"
#include "widgets/message_box.h"

namespace kvl::app {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(kvl::i18n::kApplicationTitle));
    // The name of the installed desktop entry: desktops show its icon for the program's windows. Kept as
    // 8-bit text, which the install test finds in the executable.
    setDesktopFileName(QLatin1String("org.example.KvlSettingsEditor"));
}

Application::~Application() { destroyWindows(); }

int Application::run() {
    // The windows come first: they read the interface language the message needs.
    createWindows();
    if (!hostStoreFound())
        return 1;
    Form1->show();
    exec();
    return 0;
}

bool Application::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        kvl::widgets::showErrorBox(activeWindow(), currentExceptionText(std::current_exception()));
    }
    return false;
}

} // namespace kvl::app

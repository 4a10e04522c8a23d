#include "app/application.h"

#include "app/command_line.h"
#include "app/dialog_centring.h"
#include "app/guarded_call.h"
#include "app/host_store_check.h"
#include "app/prefix_start.h"
#include "app/program_state.h"
#include "app/windows.h"
#include "i18n/fixed_texts.h"
#include "i18n/prefix_texts.h"
#include "platform/prefixes.h"
#include "platform/system.h"
#include "prefs/editor_preferences.h"
#include "widgets/dialog_placement.h"
#include "widgets/message_box.h"

#include <QDir>
#include <algorithm>
#include <cstdlib>

namespace kvl::app {

namespace {

// --prefix, else WINEPREFIX: the prefix the user named.
std::optional<std::string> namedPrefix(const CommandLine &command) {
    if (command.prefix)
        return command.prefix;
    if (const char *variable = std::getenv("WINEPREFIX"); variable && *variable)
        return std::string(variable);
    return std::nullopt;
}

QString placesLookedIn() {
    QString places;
    for (const auto &place : kvl::platform::prefixPlaces())
        places += QString::fromStdString(place.location + "  (" + place.source + ")\n");
    return places.trimmed();
}

// The error box and the file dialogs open over whatever window asked for them, but centred on the main
// window as the program's own dialogs are.
void centreDialog(QWidget &dialog) {
    if (Form1 && Form1->isVisible())
        centreOnMainWindow(dialog, *Form1);
    else
        centreOnScreen(dialog);
}

std::string interfaceLanguage(const ProgramLocations &locations) {
    return kvl::prefs::readEditorPreferences(locations.preferencesFile, locations.firstExportFolder).language;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char **argv) {
    const QCoreApplication core(argc, argv);
    return readCommandLine(QCoreApplication::arguments(), interfaceLanguage(ProgramLocations::ofProgram()),
                           QDir::homePath().toStdString(), Mistakes::LeaveToLater)
        .exitCode;
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(kvl::i18n::kApplicationTitle));
    // The name of the installed desktop entry: desktops show its icon for the program's windows. Kept as
    // 8-bit text, which the install test finds in the executable.
    setDesktopFileName(QLatin1String("org.example.KvlSettingsEditor"));
    kvl::widgets::setDialogPlacement(centreDialog);
}

Application::~Application() { destroyWindows(); }

int Application::run() {
    const ProgramLocations locations = ProgramLocations::ofProgram();
    const std::string home = QDir::homePath().toStdString();
    const CommandLine command = readCommandLine(arguments(), interfaceLanguage(locations), home);
    if (command.exitCode)
        return *command.exitCode;

    // Windows has one registry, the system's own: nothing to find or choose.
    StartPrefix start{StartPrefix::Kind::Open, {}, {}};
    if (!kvl::platform::winePrefix().empty()) {
        const auto named = namedPrefix(command);
        start = decideStartPrefix(
            named, named ? std::vector<kvl::platform::FoundPrefix>{} : kvl::platform::discoverPrefixes(home),
            kvl::prefs::readPrefixChoice(locations.preferencesFile));
        // With several, the one chosen last is open beneath the chooser, and stays open when it is closed.
        if (start.kind == StartPrefix::Kind::Choose)
            start.prefix = *std::find_if(start.choices.begin(), start.choices.end(),
                                         [](const auto &prefix) { return prefix.holdsHost; });
        if (!start.prefix.path.empty())
            kvl::platform::usePrefix(start.prefix.path);
        state().prefix = start.prefix;
        state().noPrefixFound = start.kind == StartPrefix::Kind::NoneFound;
    }

    // The windows come first: they read the interface language the messages need.
    createWindows(locations);
    if (start.kind == StartPrefix::Kind::Named)
        hostStoreFound();
    if (start.kind == StartPrefix::Kind::NoneFound)
        kvl::widgets::showErrorBox(
            nullptr, kvl::i18n::prefixText(kvl::i18n::PrefixText::HostNotFound, state().preferences.language)
                         .arg(placesLookedIn()));
    Form1->show();
    if (start.kind == StartPrefix::Kind::Choose)
        runGuarded(Form1, [&start] { Form1->offerPrefixes(start.choices); });
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

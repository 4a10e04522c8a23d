#include "i18n/error_texts.h"

#include "i18n/in_language.h"
#include "platform/cp1252.h"
#include "platform/operation_limit.h"

#include <chrono>

namespace kvl::i18n {

namespace {

struct ErrorText {
    const char *english; // %1 is the subject
    const char *german;
};

ErrorText textOf(TranslatedError::Reason reason) {
    switch (reason) {
    case TranslatedError::Reason::BrokenHive:
        return {"The registry file %1 is damaged or cannot be read",
                "Die Registry-Datei %1 ist beschädigt oder kann nicht gelesen werden"};
    case TranslatedError::Reason::WineServerUnreachable:
        return {
            "Wine is running in %1 and cannot be reached, so nothing was applied. Close the Wine programs "
            "of this prefix and wait a few seconds until Wine has ended (if it keeps running, end it with "
            "\"WINEPREFIX=%1 wineserver -k\" in a terminal), then apply again",
            "Wine läuft in %1 und ist nicht erreichbar, daher wurde nichts übernommen. Schließen Sie die "
            "Wine-Programme dieses Präfixes und warten Sie einige Sekunden, bis Wine beendet ist (läuft es "
            "weiter, beenden Sie es im Terminal mit \"WINEPREFIX=%1 wineserver -k\"), und übernehmen Sie "
            "dann erneut"};
    case TranslatedError::Reason::WineNotAnswering:
        // %2 is the time the whole load or Apply may wait on Wine.
        return {
            "Wine does not answer in %1, so the operation was stopped after %2 seconds; nothing more was "
            "read or applied. Close the Wine programs of this prefix (KVL 17 among them, if it runs "
            "there) and try again; if Wine still does not answer, end it with \"WINEPREFIX=%1 wineserver "
            "-k\" in a terminal, which also ends every program running in it",
            "Wine antwortet in %1 nicht, daher wurde der Vorgang nach %2 Sekunden abgebrochen; es wurde "
            "nichts weiter gelesen oder übernommen. Schließen Sie die Wine-Programme dieses Präfixes "
            "(darunter KVL 17, falls es dort läuft) und versuchen Sie es erneut; antwortet Wine weiterhin "
            "nicht, beenden Sie es im Terminal mit \"WINEPREFIX=%1 wineserver -k\", was auch alle darin "
            "laufenden Programme beendet"};
    case TranslatedError::Reason::NotAWinePrefix:
        // The one place where the user learns how to point the program elsewhere; it ends with a
        // sentence so that the full stop of the error box does not land on the command.
        return {"No Wine prefix was found in %1 (it holds no system.reg or user.reg), so there are no "
                "settings of KVL 17 to edit.\n\n"
                "To edit those of another prefix, start the editor with --prefix or WINEPREFIX set to that "
                "folder, for example in a terminal:\n"
                "kvl-settings-editor --prefix $HOME/.wine-kvl\n"
                "WINEPREFIX=$HOME/.wine-kvl kvl-settings-editor\n\n"
                "The editor now shows an empty page.",
                "In %1 wurde kein Wine-Präfix gefunden (dort gibt es weder system.reg noch user.reg), "
                "daher gibt es keine Einstellungen von KVL 17 zu bearbeiten.\n\n"
                "Um die eines anderen Präfixes zu bearbeiten, starten Sie den Editor mit --prefix oder "
                "WINEPREFIX auf diesen Ordner gesetzt, zum Beispiel in einem Terminal:\n"
                "kvl-settings-editor --prefix $HOME/.wine-kvl\n"
                "WINEPREFIX=$HOME/.wine-kvl kvl-settings-editor\n\n"
                "Der Editor zeigt jetzt eine leere Seite."};
    case TranslatedError::Reason::UnwritableHive:
        return {"The registry file %1 cannot be written (it is write-protected, on a read-only disk or "
                "another user's file), so nothing was applied",
                "Die Registry-Datei %1 kann nicht geschrieben werden (sie ist schreibgeschützt, liegt auf "
                "einem schreibgeschützten Datenträger oder gehört einem anderen Benutzer), daher wurde "
                "nichts übernommen"};
    case TranslatedError::Reason::DiskFull:
        // Windows' own text for its error 112, after the file it concerns.
        return {"Unable to write to %1. There is not enough space on the disk",
                "%1 kann nicht geschrieben werden. Auf dem Datenträger ist nicht genügend Speicherplatz "
                "vorhanden"};
    }
    return {"", ""};
}

} // namespace

QString translatedErrorText(const TranslatedError &error, const std::string &languageCode) {
    const ErrorText text = textOf(error.reason());
    const QString subject = QString::fromStdString(platform::cp1252ToUtf8(error.subject()));
    QString message = inLanguage(languageCode, text.english, text.german).arg(subject);
    if (error.reason() != TranslatedError::Reason::WineNotAnswering)
        return message;
    return message.arg(std::chrono::duration_cast<std::chrono::seconds>(platform::kOperationBudget).count());
}

QString unknownErrorText(const std::string &languageCode) {
    return inLanguage(languageCode, "Unknown error", "Unbekannter Fehler");
}

} // namespace kvl::i18n

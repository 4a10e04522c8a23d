#include "i18n/status_notes.h"

#include "i18n/in_language.h"

namespace kvl::i18n {

QString outdatedValuesNote(const std::string &languageCode) {
    return inLanguage(languageCode, "Read from the files: Wine programs may see newer values",
                      "Aus den Dateien gelesen: Wine-Programme sehen evtl. neuere Werte");
}

QString waitingForWineNote(const std::string &languageCode) {
    return inLanguage(languageCode, "Waiting for Wine to answer… (Esc cancels)",
                      "Warte auf Antwort von Wine … (Esc bricht ab)");
}

QString cancelWaitCaption(const std::string &languageCode) {
    return inLanguage(languageCode, "Cancel", "Abbrechen");
}

} // namespace kvl::i18n

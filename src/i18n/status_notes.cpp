#include "i18n/status_notes.h"

namespace kvl::i18n {

QString outdatedValuesNote(const std::string &languageCode) {
    return QString::fromUtf8(languageCode == "GER"
                                 ? "Aus den Dateien gelesen: Wine-Programme sehen evtl. neuere Werte"
                                 : "Read from the files: Wine programs may see newer values");
}

} // namespace kvl::i18n

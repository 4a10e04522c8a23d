#include "i18n/file_dialog_texts.h"

#include "i18n/in_language.h"

namespace kvl::i18n {

// Worded as the toolkit's own "Directory not found" message, whose German follows its catalogue.
QString pathOnNoDriveText(const std::string &languageCode) {
    return inLanguage(
        languageCode,
        "%1\nThis path is on none of the drives.\nPlease verify the correct drive letter was given.",
        "%1\nDieser Pfad liegt auf keinem der Laufwerke.\nStellen Sie sicher, dass der "
        "Laufwerksbuchstabe richtig ist.");
}

// Windows' own words for it.
QString invalidFileNameText(const std::string &languageCode) {
    return inLanguage(languageCode, "%1\nThe file name is not valid.", "%1\nDer Dateiname ist ungültig.");
}

} // namespace kvl::i18n

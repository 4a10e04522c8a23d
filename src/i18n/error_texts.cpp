#include "i18n/error_texts.h"

#include "platform/cp1252.h"

namespace kvl::i18n {

namespace {

struct ErrorText {
    const char *english; // %1 is the subject
    const char *german;
};

ErrorText textOf(TranslatedError::Reason reason) {
    switch (reason) {
    case TranslatedError::Reason::BrokenHive:
        return {"The registry file %1 cannot be read", "Die Registry-Datei %1 kann nicht gelesen werden"};
    case TranslatedError::Reason::WineServerUnreachable:
        return {"Wine is running in %1 and cannot be reached", "Wine läuft in %1 und ist nicht erreichbar"};
    }
    return {"", ""};
}

} // namespace

QString translatedErrorText(const TranslatedError &error, const std::string &languageCode) {
    const ErrorText text = textOf(error.reason());
    const QString subject = QString::fromStdString(platform::cp1252ToUtf8(error.subject()));
    return QString::fromUtf8(languageCode == "GER" ? text.german : text.english).arg(subject);
}

} // namespace kvl::i18n

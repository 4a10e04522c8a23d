#pragma once

#include <QString>
#include <string>

namespace kvl::i18n {

// One of the program's own texts in the interface language: "GER" German, any other code English, since a
// text must still be understood where the language is unknown.
inline QString inLanguage(const std::string &languageCode, const char *english, const char *german) {
    return QString::fromUtf8(languageCode == "GER" ? german : english);
}

} // namespace kvl::i18n

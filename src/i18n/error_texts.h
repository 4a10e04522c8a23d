#pragma once

#include <QString>
#include <string>

#include "platform/error.h"

namespace kvl::i18n {

// The text of a failure the program adds to the host's rules, in the interface language ("GER" German,
// any other code English, since such a failure must still be understood).
QString translatedErrorText(const TranslatedError &error, const std::string &languageCode);

// A failure that carries no text at all, in the interface language (the same rule).
QString unknownErrorText(const std::string &languageCode);

} // namespace kvl::i18n

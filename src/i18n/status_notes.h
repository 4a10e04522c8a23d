#pragma once

#include <QString>
#include <string>

namespace kvl::i18n {

// The status bar's note after a load that had to read the stored files although a running program (Wine)
// may hold newer values, in the interface language ("GER" German, any other code English).
QString outdatedValuesNote(const std::string &languageCode);

} // namespace kvl::i18n

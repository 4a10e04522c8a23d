#pragma once

#include <QString>
#include <string>

namespace kvl::i18n {

// The status bar's notes, in the interface language ("GER" German, any other code English).

// After a load that had to read the stored files although a running program (Wine) may hold newer values.
QString outdatedValuesNote(const std::string &languageCode);
// While a load or Apply waits on Wine's tools, and the caption of the button beside it that cancels it.
QString waitingForWineNote(const std::string &languageCode);
QString cancelWaitCaption(const std::string &languageCode);

} // namespace kvl::i18n

#pragma once

#include <QString>
#include <string>

namespace kvl::i18n {

// What the file dialogs say where the toolkit has no words of its own, in the interface language ("GER"
// German, any other code English).

// A typed path that no drive of the host holds; %1: the path as typed.
QString pathOnNoDriveText(const std::string &languageCode);

// A name to save under that holds a character Windows does not allow in names; %1: the name as typed.
QString invalidFileNameText(const std::string &languageCode);

} // namespace kvl::i18n

#pragma once

#include <QStringList>
#include <string>

namespace kvl::i18n {

// The toolkit's own texts (standard file and folder dialogs, the edits' context menus, message box
// buttons) follow the interface language: "GER" installs Qt's German catalogue, "ENG" removes it, any
// other code changes nothing, as with the program's own texts. German also sets the default locale (the
// dialogs' file types; English gives it back to the system). Open windows retranslate at once. When the
// catalogue cannot be found the toolkit stays English and one line on stderr says why; nothing fails.
void followInterfaceLanguage(const std::string &languageCode);

// Whether Qt's German catalogue is installed now.
bool toolkitSpeaksGerman();

// Where the catalogue is looked for, in order: compiled into the program (the Windows build), Qt's own
// translations folder, then the usual folders of a Linux system.
QStringList toolkitCatalogueFolders();

} // namespace kvl::i18n

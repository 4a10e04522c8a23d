#pragma once

#include <QByteArray>
#include <optional>

namespace kvl::widgets {

// A packed theme (".skin") is one file holding the files of a theme folder:
//
//   KVLSKIN 1\n                     the format and its version
//   <size> <name>\n<size bytes>\n   one entry per file: its size in bytes (decimal) and its name
//   ...
//   end\n                           nothing may follow
//
// Names are 1 to 64 letters, digits, '.', '_' or '-', not starting with '.', each used once.
// Returns the entry "skin.ini"; nullopt when the file is not a complete container or has no
// "skin.ini". Entries of other names are left to later versions of the format.
std::optional<QByteArray> skinIniFromPacked(const QByteArray &packed);

} // namespace kvl::widgets

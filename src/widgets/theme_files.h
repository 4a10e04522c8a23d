#pragma once

#include "widgets/theme_data.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kvl::widgets {

// What the theme folder holds under a theme's name: a folder "<name>" with "skin.ini" (unpacked),
// else a file "<name>.skin" (packed).
struct FolderTheme {
    bool present = false;           // either was found
    std::optional<ThemeData> theme; // and reads as a complete, readable theme
};

// hostFolder is a path of the host's world ("c:\Skins"); on Linux it lies inside the Wine prefix.
FolderTheme findFolderTheme(const QString &hostFolder, const QString &name);

// The themes compiled into the program; the first is the fallback for any name not found.
QStringList builtInThemeNames();
std::optional<ThemeData> builtInTheme(const QString &name);

// No theme file may be larger: the built-in ones are a few kilobytes.
inline constexpr qint64 kMaxThemeFileSize = 1 << 20;

} // namespace kvl::widgets

#pragma once

#include <QPalette>
#include <QString>

namespace kvl::widgets {

class ThemeData;

// The application style sheet that draws every control in a theme: the template of the program with
// the theme's values in place. The widgets the program draws itself take their values from it too.
QString themeStyleSheet(const ThemeData &theme);
// The palette beside it, for what a style sheet does not reach (window faces, disabled texts).
QPalette themePalette(const ThemeData &theme);

} // namespace kvl::widgets

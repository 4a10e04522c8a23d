#pragma once

#include <QFont>

namespace kvl::widgets {

// "Tahoma" at a character height in pixels (11 is 8 point at 96 dpi), the same on every screen.
// Where Tahoma is missing, a font of about its width stands in.
QFont tahoma(int pixelSize);

} // namespace kvl::widgets

#pragma once

#include <QPixmap>

class QLabel;

namespace kvl::widgets {

// ILDesign1: nine 32x32 button images in 42x42 cells, by index.
enum ButtonImage { Power = 0, Gear, Info, Manual, Check, Cancel, RegistryEditor, Save, Reload };
QPixmap buttonImage(int index); // ILDesign1
QPixmap flagImage(int index);   // ILDesign2: 0 Great Britain, 1 Germany (16x16)
// Other artwork of the windows, by resource name: "logo", "house", "exit_door", "host_logo", "web_banner".
QPixmap artwork(const char *name);
// Gives the picture its artwork at the picture's first showing, before it is painted: the images of
// windows and panels not yet shown cost nothing at start.
void showArtworkWhenShown(QLabel &picture, const char *name);

} // namespace kvl::widgets

#pragma once

#include <functional>

class QWidget;

namespace kvl::widgets {

// Where the dialogs that the toolkit builds (the error box, the file dialogs) go when they are shown:
// the program centres them by their outer frame, as its own. Unset, the toolkit centres them on their
// parent by its own idea of the frame, which a window manager that frames a window only once it is
// mapped proves wrong.
using DialogPlacement = std::function<void(QWidget &dialog)>;
void setDialogPlacement(DialogPlacement placement);

// Places the dialog now, where a placement is set.
void placeDialog(QWidget &dialog);

// Places the dialog at each of its showings, before the window system maps it.
void placeAtEachShowing(QWidget &dialog);

} // namespace kvl::widgets

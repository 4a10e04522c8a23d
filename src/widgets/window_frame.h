#pragma once

class QWidget;

namespace kvl::widgets {

// The frame of every window of the program: a dialog frame with a title bar, no minimise, maximise or
// close button, no window menu, not resizable. Call before the window is first shown; the window
// manager is asked again at each showing.
void useFixedDialogFrame(QWidget &window);

// An empty title bar. The toolkit shows the program's name in place of an empty title, so the title is
// one blank, which every window manager draws as nothing.
void showEmptyTitle(QWidget &window);

} // namespace kvl::widgets

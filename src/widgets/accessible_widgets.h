#pragma once

namespace kvl::widgets {

// Makes the program's own widgets known to screen readers as what they look like: a round button is a
// push button named by its hint, a toggle switch a check box with its state, the numeric field a spin
// box with its value and limits, a path edit's browse button a button named after its field. Every
// widget of the set calls it when it is made; the first call registers the interfaces.
void useAccessibleInterfaces();

} // namespace kvl::widgets

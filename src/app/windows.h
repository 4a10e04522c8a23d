#pragma once

#include "app/main_window.h"

namespace kvl::app {

// Creates Form1, About, Confirmit and Form3 in this order; the dialogs belong to the main window.
void createWindows(ProgramLocations locations = ProgramLocations::ofProgram());
// Destroys the four windows and clears their program-wide pointers and the program state.
void destroyWindows();

} // namespace kvl::app

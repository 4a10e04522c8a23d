#pragma once

namespace kvl::app {

// Whether the host's settings can be where the program looks for them. When not, the error message box
// says, in the interface language, where it looked and how to choose another place; an empty window
// would only leave the user guessing.
bool hostStoreFound();

} // namespace kvl::app

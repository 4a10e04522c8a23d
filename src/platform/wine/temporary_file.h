#pragma once

#include <string>

namespace kvl::platform {

// The hidden file beside a target that a write fills before it takes the target's place,
// ".<name>.kvl-XXXXXX". Its writer holds a lock on it as long as it lives, so that a later write can
// tell the leftover of a write that was killed from a write still under way.

// Creates and locks one (mode 0600); -1 (errno set) on failure. `name` receives its path.
int createTemporaryFile(const std::string &target, std::string &name);

// Removes the temporary files of earlier writes of the same target that nobody holds any more, and
// nothing else.
void removeLeftovers(const std::string &target);

} // namespace kvl::platform

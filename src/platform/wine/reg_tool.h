#pragma once

#include <string>
#include <vector>

namespace kvl::platform {

// Runs Wine's registry tool, `wine reg <arguments>`, in the prefix with its output discarded. True when
// it ran and ended with success within a time limit; a tool that hangs is killed (only the tool itself).
// A missing `wine` on the PATH is a failure like any other.
bool runWineReg(const std::string &prefix, const std::vector<std::string> &arguments);

} // namespace kvl::platform

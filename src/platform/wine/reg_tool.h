#pragma once

#include <string>
#include <vector>

namespace kvl::platform {

// Runs Wine's registry tool, `wine reg <arguments>`, in the prefix with its output discarded. True when
// it ran and ended with success; a missing `wine` on the PATH is a failure like any other.
// The tool waits within the calling thread's operation limit (platform/operation_limit.h). When that
// stops the operation, the tool and every process it started are killed, and the call raises
// kvl::TranslatedError (WineNotAnswering, naming the prefix) for the deadline or platform::Cancelled.
bool runWineReg(const std::string &prefix, const std::vector<std::string> &arguments);

} // namespace kvl::platform

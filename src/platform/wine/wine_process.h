#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/operation_limit.h"

namespace kvl::platform {

// Starts `wine <arguments>` in the prefix, with Wine's debug output off, in a process group of its own
// (Wine's loader starts helpers beside the program: whatever ends it ends them all). The child's
// standard input and output are the given descriptors, its error output goes nowhere. The process id,
// or nothing when it could not be started.
std::optional<pid_t> startWine(const std::string &prefix, const std::vector<std::string> &arguments,
                               int input, int output);

// Kills the process group that startWine made and collects its first process.
void endWineGroup(pid_t group);

// Ends the group as the wait was stopped and raises why (platform/wine/wine_wait.h).
[[noreturn]] void stopWineGroup(pid_t group, OperationLimit::Stop why, const std::string &prefix);

} // namespace kvl::platform

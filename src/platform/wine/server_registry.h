#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/registry.h"
#include "platform/wine/reg_file.h"

namespace kvl::platform {

// A key of a prefix whose registry a running Wine server holds in memory: read and written through the
// server with Wine's registry tool, so that Wine programs see the new values at once and the server keeps
// them. Each call then makes sure the tool spoke to `server` (the one found just before) and did not start
// a server of its own elsewhere.

enum class ServerAnswer { Done, KeyMissing, Unreachable };

struct ServerRead {
    ServerAnswer answer = ServerAnswer::Unreachable;
    std::vector<NamedValue> values;
};

// One `reg export` of the key; a failed export is told apart from a missing key by two queries.
ServerRead readThroughServer(const std::string &prefix, pid_t server, RootKey root,
                             std::u16string_view keyPath);

// One `reg import` of the values (all importable). `verifiedBy` is the server a read of the key already
// went through; for any other the key's existence there is checked first, as an import would create it.
ServerAnswer writeThroughServer(const std::string &prefix, pid_t server, std::optional<pid_t> verifiedBy,
                                RootKey root, std::u16string_view keyPath,
                                const std::vector<NamedValue> &values);

} // namespace kvl::platform

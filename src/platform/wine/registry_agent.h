#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_agent_protocol.h"

namespace kvl::platform {

// The registry agent (platform/registry_agent_protocol.h) under Wine: started by the first step that
// reaches a running server through it, and kept, so that Wine starts once rather than once per key.
// Each call returns nothing when the agent cannot serve it (none was built, it did not start, it is of
// another version, it ended, its server is another one): the caller takes Wine's registry tool instead.
// A call that waits beyond the thread's operation limit (platform/wine/wine_wait.h) ends the agent and
// raises what the wait stopped for.

// A key the agent holds open; it belongs to the agent process that opened it.
struct AgentKey {
    pid_t agent = 0;
    std::uint32_t handle = 0;
};

struct AgentRead {
    std::uint32_t status = 0; // Win32 error code of the open (0: opened, values read)
    AgentKey key;
    std::vector<agent::Value> values;
};

// Opens the key in the registry of `server`, the prefix's only server, and reads its values.
std::optional<AgentRead> readThroughAgent(const std::string &prefix, pid_t server, RootKey root,
                                          const std::string &path, Access access, View view);

struct AgentWrite {
    std::uint32_t status = 0; // Win32 error code of the first value that failed (0: all stored)
    std::size_t failed = 0;   // its index
};

// Sets the values in the open key, in their order.
std::optional<AgentWrite> writeThroughAgent(const AgentKey &key, const std::vector<agent::Value> &values);

// Closes the key without waiting for the agent.
void closeThroughAgent(const AgentKey &key);

// The running agent's process id, or nothing; and its end. For tests and the benchmark.
std::optional<pid_t> registryAgentProcess();
void endRegistryAgent();

} // namespace kvl::platform

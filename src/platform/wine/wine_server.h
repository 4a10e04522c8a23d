#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kvl::platform {

// The process ids of the Wine servers that serve a prefix, in no particular order; empty when none runs.
// A server keeps the prefix's registry in memory and writes it back over the hives now and then, so
// whoever edits the hives must know. Upstream Wine keeps its server's folder under <tmp>/.wine-<uid>/,
// Debian's under <tmp>/<name>/ with <name> stored in <prefix>/wineserver; a live server holds a lock on
// the folder's `lock` file, so a folder that a crashed server left behind counts as none. Costs a few
// system calls and starts nothing.
std::vector<pid_t> prefixServers(const std::string &prefix, const std::string &tmp);
// The same over every folder a server's folder may be in: /tmp, and $TMPDIR, where Debian's Wine makes it
// when that is set. Each server once.
std::vector<pid_t> prefixServers(const std::string &prefix);

} // namespace kvl::platform

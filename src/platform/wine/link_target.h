#pragma once

#include <optional>
#include <string>

namespace kvl::platform {

// The file a write to `path` lands in: symbolic links followed to their end. Refuses (nullopt, errno
// set) a loop (ELOOP) and a link whose target belongs to someone other than the link's owner (EACCES),
// the kernel's own rule for links in shared folders, kept here for root too: a link planted in the
// prefix must not turn our write into a write of another user's file. A target still to be created
// belongs to the owner of its folder.
std::optional<std::string> writeTarget(const std::string &path);

} // namespace kvl::platform

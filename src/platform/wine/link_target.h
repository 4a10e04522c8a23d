#pragma once

#include <optional>
#include <string>

#include "platform/wine/file_steps.h"

namespace kvl::platform {

// The file a write to a path lands in, its folder held open so that what was checked is what is written.
struct WriteTarget {
    FileDescriptor folder;
    std::string path; // the file, named through the open folder: valid as long as the target lives
};

// Walks the path part by part, never letting the system follow a link unseen, and follows each symbolic
// link on the way by the rule the kernel keeps for links in shared folders, here for every folder and for
// root too: a link must belong to the owner of the folder it lies in, and it must lead to an entry of its
// own owner, or to one of root's (a drive's link to "/") on the way to a file of its own owner. Else the
// write is refused (nullopt, errno EACCES): a link planted anywhere on the path must not turn our write
// into a write of another user's file. A file still to be created belongs to the owner of its folder.
// Also nullopt (errno set) for a loop (ELOOP) or a folder of the path that is missing.
std::optional<WriteTarget> writeTarget(const std::string &path);

} // namespace kvl::platform

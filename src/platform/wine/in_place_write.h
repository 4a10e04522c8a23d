#pragma once

#include <string>

#include "platform/wine/file_steps.h"

namespace kvl::platform {

// A file whose owner a replacement could not keep (another user's file that a member of its group
// writes, say) is written in place instead, so that it keeps its inode, owner and permissions. So that
// this never leaves it torn, the new content, the old one and their sizes first go to a journal beside
// the file (".<name>.kvl-journal"), flushed, and only then is the file overwritten, cut to its new size
// and flushed; the journal goes last. A write cut short leaves the journal behind, and the next access
// to the file by this program completes it, as long as the file holds nothing but bytes of the old and
// the new content where they were; anything else means the file was written since, and the journal is
// dropped.

// Makes the temporary file that holds the new content the journal and writes the target in place.
// False (errno set) at the first failure; the target then holds its old content, or the journal that
// completes it.
bool writeInPlace(const std::string &target, int temporaryFd, const std::string &temporaryName,
                  WriteCall write);

// Completes a cut-short in-place write of the file, if its journal is there and trustworthy: made by a
// user who may write the file, and the file may be written by us.
void completeInterruptedWrite(const std::string &target);

} // namespace kvl::platform

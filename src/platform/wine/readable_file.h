#pragma once

#include <string>

namespace kvl::platform {

// Whether anything is at the path: a missing entry or a link to nothing is not, while a link loop,
// a file that cannot be reached or anything else that is there but cannot be read is.
bool isPresent(const std::string &path);

// Opens a regular file for reading; -1 (errno set) for anything else, without ever waiting: a FIFO or a
// device in a file's place would block an ordinary open for ever. First completes an in-place write of
// the file that was cut short, so that no read sees it torn.
int openForReading(const std::string &path);

} // namespace kvl::platform

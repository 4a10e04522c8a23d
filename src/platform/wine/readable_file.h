#pragma once

#include <string>

namespace kvl::platform {

// What is at a path, links followed: nothing (no entry, or a link to nothing), a regular file, or
// something else that is there (a folder, FIFO, socket or device, a link loop, what cannot be reached).
enum class FileKind { Missing, Regular, Other };
FileKind fileKind(const std::string &path);

// Opens a regular file for reading; -1 (errno set) for anything else, without ever waiting: a FIFO or a
// device in a file's place would block an ordinary open for ever. First completes an in-place write of
// the file that was cut short, so that no read sees it torn.
int openForReading(const std::string &path);

// The same open of a regular file without ever waiting, for files of other programs, which the program
// never writes (so no write of its own can have been cut short in them).
int openRegularFile(const std::string &path);

} // namespace kvl::platform

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kvl::platform {

// The whole content of a regular file; nullopt when it cannot be read or is larger than maxSize bytes.
std::optional<std::string> readWholeFile(const std::string &path, std::size_t maxSize = SIZE_MAX);

// Replaces (or creates) a file so that a crash leaves either the old or the new content: the new
// content is written beside it, flushed to disk and renamed over it, keeping the old file's mode.
// A write-protected file refuses although the rename would succeed, as does a missing folder.
// A symbolic link stays a link: the file it points at is replaced.
bool replaceFileAtomically(const std::string &path, const std::string &content);

} // namespace kvl::platform

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kvl::platform::wine {

// Identifies one version of a file: a replacement or an edit in place changes it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// Left uninitialised until read: zeroing megabytes first would cost as much as reading them.
struct FileContent {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    FileStamp stamp;
    std::string_view text() const { return {bytes.get(), size}; }
};

std::optional<FileContent> readWholeFile(const std::string &path);
std::optional<FileStamp> fileStamp(const std::string &path);

// Whether the user may replace the file: it and its folder are writable, and it is not write-protected
// (a rename over a write-protected file would succeed, but Windows refuses to write such a file).
bool mayReplace(const std::string &path);

// Writes the pieces beside the file, flushes them, gives them the file's mode and renames them over
// it. On failure the file stays as it was and no stray file is left.
bool replaceFile(const std::string &path, const std::vector<std::string_view> &pieces);

} // namespace kvl::platform::wine

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kvl::platform {

// Identifies one version of a file: a replacement or an edit in place changes it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// Memory for a whole file, left uninitialised until read, in large pages where the system offers
// them: for a hive of many megabytes, zeroing or faulting in small pages costs more than reading it.
class FileBuffer {
public:
    FileBuffer() = default;
    explicit FileBuffer(std::size_t size);
    FileBuffer(FileBuffer &&other) noexcept;
    FileBuffer &operator=(FileBuffer &&other) noexcept;
    ~FileBuffer();

    char *data() const { return data_; }
    std::size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr || size_ == 0; }

private:
    char *data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;
};

struct FileContent {
    FileBuffer bytes;
    FileStamp stamp;
    std::string_view text() const { return {bytes.data(), bytes.size()}; }
};

// A hive's whole content; nullopt when it is no regular file, cannot be read, or holds a NUL byte (no hive
// does).
std::optional<FileContent> readHiveFile(const std::string &path);
std::optional<FileStamp> fileStamp(const std::string &path);

// Whether the user may replace the existing file by the rules of every replaced file (replaced_file.h):
// it and its folder are writable, it is not write-protected (a rename over a write-protected file would
// succeed, but Windows refuses to write such a file), and no link leads to another user's file.
bool mayReplace(const std::string &path);

// Writes the pieces beside the file, flushes them, gives them the file's mode and renames them over
// it. 0, or the errno of the failure; the file then stays as it was and no stray file is left.
int replaceFile(const std::string &path, const std::vector<std::string_view> &pieces);

} // namespace kvl::platform

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>

namespace kvl::platform {

// Small steps of file handling that the readers and writers of the prefix share.

// Closes the descriptor it holds when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    // The descriptor held before goes with the other one.
    FileDescriptor &operator=(FileDescriptor &&other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// The folder of a path ("." for a bare name).
std::string folderOf(const std::string &path);

// Makes a rename or removal in the folder survive a power cut.
void syncFolder(const std::string &folder);

// How bytes reach an open file; replaceable so that tests can meet a device error or a write cut short.
using WriteCall = ssize_t (*)(int fd, const void *data, std::size_t size);

// Writes all bytes at the file's offset; false (errno set) when the device refuses.
bool writeAll(int fd, std::string_view bytes, WriteCall write);

// The whole content of an open file; nullopt when it cannot be read (errno set) or is larger than maxSize.
std::optional<std::string> contentOf(int fd, std::size_t maxSize = SIZE_MAX);

} // namespace kvl::platform

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace kvl::platform {

// Every file the program replaces goes through here, so that a crash leaves either the old or the new
// content: the bytes are written beside the target and renamed over it only by commit(), with the
// target's mode and owner. A symbolic link stays a link: the file it points at is replaced. A
// write-protected target or folder refuses as Windows refuses it, although a rename would get past it.
// Each step returns false at the first failure; error() is then its errno, and the target is as it was.
class ReplacedFile {
public:
    // How bytes reach the open file; replaceable so that tests can meet a real device error.
    using WriteCall = ssize_t (*)(int fd, const void *data, std::size_t size);

    explicit ReplacedFile(const std::string &target, WriteCall writeCall = &::write);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile &) = delete;
    ReplacedFile &operator=(const ReplacedFile &) = delete;

    bool write(std::string_view bytes);
    bool commit();
    int error() const { return error_; }

private:
    bool fail(int error);
    std::string target_;
    std::string temporary_;
    WriteCall writeCall_;
    int fd_ = -1;
    int error_ = 0;
};

// Whether a new file may be made in the folder, judged by the same rule as a replacement there.
bool folderTakesNewFiles(const std::string &folder);

} // namespace kvl::platform

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace kvl::host {

// A file written beside its target and renamed over it only by commit(), so a failure at any step
// leaves an existing target as it was. The new file keeps the target's mode; a symbolic link stays
// a link to the replaced file. A write-protected
// target or folder is refused as Windows refuses it, although a rename would get past it.
// Every failure raises kvl::Error with the text of the matching Windows error code.
class ReplacedFile {
public:
    // How bytes reach the open file; replaceable so that tests can meet a real device error.
    using WriteCall = ssize_t (*)(int fd, const void *data, std::size_t size);

    explicit ReplacedFile(std::string target, WriteCall writeCall = &::write);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile &) = delete;
    ReplacedFile &operator=(const ReplacedFile &) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    std::string target_;
    std::string temporary_;
    WriteCall writeCall_;
    int fd_ = -1;
};

} // namespace kvl::host

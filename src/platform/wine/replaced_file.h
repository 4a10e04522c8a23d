#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

#include "platform/wine/file_steps.h"

namespace kvl::platform {

// Every file the program replaces goes through here, so that a crash leaves either the old or the new
// content: the bytes are written beside the target and renamed over it only by commit(), with the
// target's mode, owner and access list; where the owner cannot be kept, commit() writes the target in
// place instead, just as safely (in_place_write.h). A symbolic link stays a link: the file it points at is
// replaced, unless a link on the way breaks the rule of link_target.h. A write-protected target or folder
// refuses as Windows refuses it, although a rename would get past it. A new write first removes what killed
// writes of the same target left behind.
// Each step returns false at the first failure; error() is then its errno, and the target is as it was.
class ReplacedFile {
public:
    using WriteCall = platform::WriteCall;

    explicit ReplacedFile(const std::string &target, WriteCall writeCall = &::write);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile &) = delete;
    ReplacedFile &operator=(const ReplacedFile &) = delete;

    bool write(std::string_view bytes);
    bool commit();
    int error() const { return error_; }

private:
    bool fail(int error);
    FileDescriptor targetFolder_{-1}; // held open, so that the checked folder is the one written
    std::string target_;
    std::string temporary_;
    WriteCall writeCall_;
    int fd_ = -1;
    int error_ = 0;
    bool inPlace_ = false;
};

// Whether a ReplacedFile of the target would get past its refusals (links, write protection, folder).
bool mayBeReplaced(const std::string &target);

// Whether a new file may be made in the folder, judged by the same rule as a replacement there.
bool folderTakesNewFiles(const std::string &folder);

} // namespace kvl::platform

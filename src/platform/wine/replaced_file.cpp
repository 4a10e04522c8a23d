#include "platform/wine/replaced_file.h"

#include "platform/wine/file_steps.h"
#include "platform/wine/in_place_write.h"
#include "platform/wine/link_target.h"
#include "platform/wine/temporary_file.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <utility>

namespace kvl::platform {

namespace {

// The owner's write bit is Windows' read-only attribute: it refuses even where the user (root) could
// write anyway.
bool writeProtected(const std::string &path, const struct stat &status) {
    return (status.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// 0 when the existing target (if any, links followed) and its folder may be replaced, else the errno
// that says why not.
int replaceRefusal(const std::string &target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return EISDIR;
        if (!S_ISREG(status.st_mode) || writeProtected(target, status))
            return EACCES;
    }
    const std::string folder = folderOf(target);
    if (::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && writeProtected(folder, status))
        return EACCES;
    return 0;
}

// The access list beyond the mode, where the file has one.
bool copyAccessList(int fd, const std::string &target) {
    constexpr const char *kAccessList = "system.posix_acl_access";
    const ssize_t size = ::getxattr(target.c_str(), kAccessList, nullptr, 0);
    if (size < 0)
        return errno == ENODATA || errno == ENOTSUP;
    std::string list(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::getxattr(target.c_str(), kAccessList, list.data(), list.size());
    return got >= 0 && ::fsetxattr(fd, kAccessList, list.data(), static_cast<std::size_t>(got), 0) == 0;
}

// Gives the new file the old one's owner, group and access list, so that whoever could write the old
// file can write the new one. False where that cannot be done: only root may give a file away.
bool takeOverAccess(int fd, const std::string &target, const struct stat &original) {
    struct stat fresh {};
    if (::fstat(fd, &fresh) != 0)
        return false;
    const bool sameOwner = fresh.st_uid == original.st_uid && fresh.st_gid == original.st_gid;
    return (sameOwner || ::fchown(fd, original.st_uid, original.st_gid) == 0) && copyAccessList(fd, target);
}

} // namespace

bool folderTakesNewFiles(const std::string &folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && !writeProtected(folder, status);
}

bool mayBeReplaced(const std::string &target) {
    const auto file = writeTarget(target);
    return file && replaceRefusal(file->path) == 0;
}

ReplacedFile::ReplacedFile(const std::string &target, WriteCall writeCall) : writeCall_(writeCall) {
    auto file = writeTarget(target);
    if (!file) {
        fail(errno);
        return;
    }
    targetFolder_ = std::move(file->folder);
    target_ = std::move(file->path);
    if (!std::filesystem::path(target_).has_filename()) {
        fail(ENOENT); // a name that cannot become a file
        return;
    }
    if (const int refusal = replaceRefusal(target_)) {
        fail(refusal);
        return;
    }
    completeInterruptedWrite(target_);
    removeLeftovers(target_);
    fd_ = createTemporaryFile(target_, temporary_);
    if (fd_ < 0) {
        temporary_.clear();
        fail(errno);
        return;
    }
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) != 0) {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        existing.st_mode = 0666 & ~mask;
    } else {
        // Where the new file cannot be given the old one's owner, the old one is written in place.
        inPlace_ = !takeOverAccess(fd_, target_, existing);
    }
    // After the owner: a change of owner clears the set-id bits.
    if (::fchmod(fd_, existing.st_mode & 07777) != 0)
        fail(errno);
}

ReplacedFile::~ReplacedFile() {
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
}

bool ReplacedFile::fail(int error) {
    if (error_ == 0)
        error_ = error;
    return false;
}

bool ReplacedFile::write(std::string_view bytes) {
    if (error_ == 0 && !writeAll(fd_, bytes, writeCall_))
        return fail(errno);
    return error_ == 0;
}

bool ReplacedFile::commit() {
    if (error_ != 0)
        return false;
    if (::fsync(fd_) != 0)
        return fail(errno);
    // The target may have become write-protected while we wrote.
    if (const int refusal = replaceRefusal(target_))
        return fail(refusal);
    if (inPlace_) {
        if (!writeInPlace(target_, fd_, temporary_, writeCall_))
            return fail(errno);
    } else {
        if (::close(std::exchange(fd_, -1)) != 0)
            return fail(errno);
        if (::rename(temporary_.c_str(), target_.c_str()) != 0)
            return fail(errno);
        syncFolder(folderOf(target_));
    }
    temporary_.clear();
    return true;
}

} // namespace kvl::platform

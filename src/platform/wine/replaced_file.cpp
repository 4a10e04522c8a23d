#include "platform/wine/replaced_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace kvl::platform {

namespace {

// The owner's write bit is Windows' read-only attribute: it refuses even where the user (root) could
// write anyway.
bool writeProtected(const std::string &path, const struct stat &status) {
    return (status.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// 0 when the existing target (if any) and its folder may be replaced, else the errno that says why not.
int replaceRefusal(const std::string &target, const std::string &folder) {
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return EISDIR;
        if (!S_ISREG(status.st_mode) || writeProtected(target, status))
            return EACCES;
    }
    if (::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && writeProtected(folder, status))
        return EACCES;
    return 0;
}

std::string linkTarget(const std::string &target) {
    std::error_code error;
    if (!std::filesystem::is_symlink(target, error))
        return target;
    const auto resolved = std::filesystem::canonical(target, error);
    return error ? target : resolved.string();
}

std::string folderOf(const std::string &target) {
    const std::string folder = std::filesystem::path(target).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Root editing another user's file (the host's filter file, say) must not leave it root's, or its
// owner could no longer write it. Other users cannot give a file away; their copy stays theirs.
bool keepOwner(int fd, const struct stat &original) {
    if (original.st_uid == ::geteuid() && original.st_gid == ::getegid())
        return true;
    return ::fchown(fd, original.st_uid, original.st_gid) == 0 || ::geteuid() != 0;
}

// Makes the rename itself survive a power cut.
void syncFolder(const std::string &folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool folderTakesNewFiles(const std::string &folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && !writeProtected(folder, status);
}

ReplacedFile::ReplacedFile(const std::string &target, WriteCall writeCall)
    : target_(linkTarget(target)), writeCall_(writeCall) {
    const std::filesystem::path path(target_);
    if (!path.has_filename()) {
        fail(ENOENT); // a name that cannot become a file
        return;
    }
    if (const int refusal = replaceRefusal(target_, folderOf(target_))) {
        fail(refusal);
        return;
    }
    temporary_ = folderOf(target_) + "/." + path.filename().string() + ".XXXXXX";
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0) {
        temporary_.clear();
        fail(errno);
        return;
    }
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) != 0) {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        if (::fchmod(fd_, 0666 & ~mask) != 0)
            fail(errno);
    } else if (::fchmod(fd_, existing.st_mode & 07777) != 0 || !keepOwner(fd_, existing)) {
        fail(errno);
    }
}

ReplacedFile::~ReplacedFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
}

bool ReplacedFile::fail(int error) {
    if (error_ == 0)
        error_ = error;
    return false;
}

bool ReplacedFile::write(std::string_view bytes) {
    while (error_ == 0 && !bytes.empty()) {
        const ssize_t written = writeCall_(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return fail(errno);
        if (written == 0)
            return fail(EIO); // a device that takes nothing would keep us here for ever
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return error_ == 0;
}

bool ReplacedFile::commit() {
    if (error_ != 0)
        return false;
    if (::fsync(fd_) != 0)
        return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        return fail(errno);
    // The target may have become write-protected while we wrote.
    if (const int refusal = replaceRefusal(target_, folderOf(target_)))
        return fail(refusal);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    syncFolder(folderOf(target_));
    return true;
}

} // namespace kvl::platform

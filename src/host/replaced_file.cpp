#include "host/replaced_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>

#include "host/io_error.h"
#include "platform/error.h"

namespace kvl::host {

namespace {

[[noreturn]] void fail(int posixError) { throw Error(ioErrorText(windowsErrorCode(posixError))); }

// Root passes every permission check, so the missing write bits alone also count, as the
// read-only attribute does on Windows.
bool writeProtected(const std::string &path, const struct stat &status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Refuses a target that Windows would not let us replace: a folder, or a write-protected file.
void checkReplaceable(const std::string &target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0)
        return;
    if (S_ISDIR(status.st_mode))
        fail(EISDIR);
    if (writeProtected(target, status))
        fail(EACCES);
}

void checkFolderWritable(const std::string &folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && writeProtected(folder, status))
        fail(EACCES);
}

// A link stays a link: the file it points at is the one replaced.
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

std::string temporaryName(const std::string &target) {
    static std::mt19937 generator{std::random_device{}()};
    const std::filesystem::path path(target);
    return (path.parent_path() /
            ("." + path.filename().string() + "." + std::to_string(generator()) + ".tmp"))
        .string();
}

} // namespace

ReplacedFile::ReplacedFile(std::string target, WriteCall writeCall)
    : target_(linkTarget(target)), writeCall_(writeCall) {
    if (!std::filesystem::path(target_).has_filename())
        fail(ENOENT);
    checkReplaceable(target_);
    checkFolderWritable(folderOf(target_));
    do {
        temporary_ = temporaryName(target_);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd_ < 0 && errno == EEXIST);
    if (fd_ < 0) {
        // A name that cannot even become a file (a missing folder, a path through a file) is refused as such.
        const int error = errno;
        temporary_.clear();
        fail(error);
    }
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0) {
        ::fchmod(fd_, existing.st_mode & 07777);
        // Root replacing another user's export hands the new file to that user; others cannot.
        if (::geteuid() == 0)
            ::fchown(fd_, existing.st_uid, existing.st_gid);
    }
}

ReplacedFile::~ReplacedFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
}

void ReplacedFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = writeCall_(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (written == 0)
            fail(EIO); // a device that takes nothing would keep us here for ever
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void ReplacedFile::commit() {
    if (::fsync(fd_) != 0)
        fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        fail(errno);
    checkReplaceable(target_);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(errno);
    temporary_.clear();
}

} // namespace kvl::host

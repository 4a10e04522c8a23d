#include "platform/wine/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string &content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t modeForNewFile() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string &path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write really replaces: the target of a symbolic link, else the path itself.
std::string fileToReplace(const std::string &path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

// Root editing another user's file (the host's filter file, say) must not leave it root's, or its
// owner could no longer write it. Other users cannot give a file away; their copy stays theirs.
bool keepOwner(int fd, const struct stat &original) {
    if (original.st_uid == ::geteuid() && original.st_gid == ::getegid())
        return true;
    return ::fchown(fd, original.st_uid, original.st_gid) == 0 || ::geteuid() != 0;
}

void syncFolder(const std::string &folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

} // namespace

std::optional<std::string> readWholeFile(const std::string &path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

bool replaceFileAtomically(const std::string &path, const std::string &content) {
    if (path.empty())
        return false;
    const std::string target = fileToReplace(path);
    mode_t mode = modeForNewFile();
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        // The owner's write bit is Windows' read-only attribute; it refuses even where the user
        // (root) could write anyway.
        if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0)
            return false;
        mode = info.st_mode & 07777;
    }
    const std::string folder = folderOf(target);
    // A write-protected folder refuses as the file does, also where root could create in it anyway.
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) == 0 && (folderInfo.st_mode & S_IWUSR) == 0)
        return false;
    std::string temporary = target + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        return false;
    const bool written = ::fchmod(fd.get(), mode) == 0 && (!exists || keepOwner(fd.get(), info)) &&
                         writeAll(fd.get(), content) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace kvl::platform

#include "platform/wine/readable_file.h"

#include "platform/wine/in_place_write.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::platform {

FileKind fileKind(const std::string &path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0)
        return S_ISREG(status.st_mode) ? FileKind::Regular : FileKind::Other;
    return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Other;
}

int openForReading(const std::string &path) {
    completeInterruptedWrite(path);
    return openRegularFile(path);
}

int openRegularFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

} // namespace kvl::platform

#include "platform/wine/link_target.h"

#include "platform/wine/file_steps.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace kvl::platform {

namespace {
// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;
} // namespace

std::optional<std::string> writeTarget(const std::string &path) {
    std::filesystem::path current(path);
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat link {};
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return current.string(); // no link (or nothing): the write itself decides
        std::error_code error;
        const std::filesystem::path text = std::filesystem::read_symlink(current, error);
        if (error) {
            errno = error.value();
            return std::nullopt;
        }
        const std::filesystem::path next = text.is_absolute() ? text : current.parent_path() / text;
        struct stat reached {};
        if (::lstat(next.c_str(), &reached) != 0 && ::stat(folderOf(next.string()).c_str(), &reached) != 0)
            return next.string(); // neither it nor its folder is there: the write fails on its own
        if (reached.st_uid != link.st_uid) {
            errno = EACCES;
            return std::nullopt;
        }
        current = next;
    }
    errno = ELOOP;
    return std::nullopt;
}

} // namespace kvl::platform

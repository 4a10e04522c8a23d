#include "platform/wine/temporary_file.h"

#include "platform/wine/file_steps.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::platform {

namespace {

constexpr std::string_view kRandomPart = "XXXXXX";

std::string namePrefix(const std::string &target) {
    return "." + std::filesystem::path(target).filename().string() + ".kvl-";
}

// What mkstemp puts in place of the X's: letters and digits.
bool isTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kRandomPart.size() || !name.starts_with(prefix))
        return false;
    const std::string_view random = name.substr(prefix.size());
    return std::all_of(random.begin(), random.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

} // namespace

int createTemporaryFile(const std::string &target, std::string &name) {
    name = folderOf(target) + "/" + namePrefix(target) + std::string(kRandomPart);
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB); // without locks (some network folders) leftovers merely stay
    return fd;
}

void removeLeftovers(const std::string &target) {
    const std::string folder = folderOf(target);
    const std::string prefix = namePrefix(target);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!isTemporaryName(name, prefix))
            continue;
        const std::string path = folder + "/" + name;
        const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        if (fd.get() >= 0 && ::fstat(fd.get(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
    }
}

} // namespace kvl::platform

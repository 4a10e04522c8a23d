#include "platform/wine/atomic_file.h"

#include "platform/wine/file_steps.h"
#include "platform/wine/readable_file.h"
#include "platform/wine/replaced_file.h"

#include <sys/stat.h>

namespace kvl::platform {

std::optional<std::string> readWholeFile(const std::string &path, std::size_t maxSize) {
    const FileDescriptor fd(openForReading(path));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 ||
        static_cast<std::uintmax_t>(status.st_size) > maxSize)
        return std::nullopt;
    return contentOf(fd.get());
}

bool replaceFileAtomically(const std::string &path, const std::string &content) {
    ReplacedFile file(path);
    return file.write(content) && file.commit();
}

} // namespace kvl::platform

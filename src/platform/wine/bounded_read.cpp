#include "platform/wine/bounded_read.h"

#include "platform/wine/file_steps.h"
#include "platform/wine/readable_file.h"

#include <sys/stat.h>

namespace kvl::platform {

std::optional<std::string> smallFileContent(const std::string &path, std::size_t limit) {
    const FileDescriptor file(openRegularFile(path));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 ||
        static_cast<std::size_t>(status.st_size) > limit)
        return std::nullopt;
    return contentOf(file.get());
}

} // namespace kvl::platform

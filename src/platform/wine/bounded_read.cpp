#include "platform/wine/bounded_read.h"

#include "platform/wine/file_steps.h"
#include "platform/wine/readable_file.h"

namespace kvl::platform {

std::optional<std::string> smallFileContent(const std::string &path, std::size_t limit) {
    const FileDescriptor file(openRegularFile(path));
    return contentOf(file.get(), limit);
}

} // namespace kvl::platform

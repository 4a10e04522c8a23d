#include "platform/wine/atomic_file.h"

#include "platform/wine/file_steps.h"
#include "platform/wine/readable_file.h"
#include "platform/wine/replaced_file.h"

namespace kvl::platform {

std::optional<std::string> readWholeFile(const std::string &path, std::size_t maxSize) {
    const FileDescriptor fd(openForReading(path));
    return contentOf(fd.get(), maxSize);
}

bool replaceFileAtomically(const std::string &path, const std::string &content) {
    ReplacedFile file(path);
    return file.write(content) && file.commit();
}

} // namespace kvl::platform

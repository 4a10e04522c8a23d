#include "platform/wine/atomic_file.h"

#include "platform/wine/file_steps.h"
#include "platform/wine/readable_file.h"
#include "platform/wine/replaced_file.h"

namespace kvl::platform {

std::optional<std::string> readWholeFile(const std::string &path) {
    const FileDescriptor fd(openForReading(path));
    return fd.get() < 0 ? std::nullopt : contentOf(fd.get());
}

bool replaceFileAtomically(const std::string &path, const std::string &content) {
    ReplacedFile file(path);
    return file.write(content) && file.commit();
}

} // namespace kvl::platform

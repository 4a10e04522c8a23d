#include "host/replaced_file.h"

#include "host/io_error.h"
#include "platform/error.h"

namespace kvl::host {

ReplacedFile::ReplacedFile(const std::string &target, platform::ReplacedFile::WriteCall writeCall)
    : file_(target, writeCall) {
    check(file_.error() == 0);
}

void ReplacedFile::write(std::string_view bytes) { check(file_.write(bytes)); }

void ReplacedFile::commit() { check(file_.commit()); }

void ReplacedFile::check(bool ok) const {
    if (!ok)
        throw Error(ioErrorText(windowsErrorCode(file_.error())));
}

} // namespace kvl::host

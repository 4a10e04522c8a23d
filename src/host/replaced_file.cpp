#include "host/replaced_file.h"

#include "host/io_error.h"
#include "platform/error.h"

namespace kvl::host {

ReplacedFile::ReplacedFile(const std::string &nativePath) : ReplacedFile(platform::OutputFile(nativePath)) {}

ReplacedFile::ReplacedFile(platform::OutputFile file) : file_(std::move(file)) { check(file_.error() == 0); }

void ReplacedFile::write(std::string_view bytes) { check(file_.write(bytes)); }

void ReplacedFile::commit() { check(file_.commit()); }

void ReplacedFile::check(bool ok) const {
    if (!ok)
        throw Error(ioErrorText(file_.error()));
}

} // namespace kvl::host

#include "host/export_file.h"

#include "host/io_error.h"
#include "platform/error.h"

namespace kvl::host {

ExportFile::ExportFile(const std::string &nativePath) : ExportFile(platform::OutputFile(nativePath)) {}

ExportFile::ExportFile(platform::OutputFile file) : file_(std::move(file)) { check(file_.error() == 0); }

void ExportFile::write(std::string_view bytes) { check(file_.write(bytes)); }

void ExportFile::commit() { check(file_.commit()); }

void ExportFile::check(bool ok) const {
    if (!ok)
        throw Error(ioErrorText(file_.error()));
}

} // namespace kvl::host

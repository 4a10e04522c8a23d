#include "platform/output_file.h"

#include "platform/wine/output_file_system.h"
#include "platform/wine/windows_error.h"

namespace kvl::platform {

OutputFile::OutputFile(const std::string &nativePath) : system_(std::make_unique<System>(nativePath)) {}

OutputFile::OutputFile(std::unique_ptr<System> system) : system_(std::move(system)) {}

OutputFile::OutputFile(OutputFile &&) noexcept = default;

OutputFile::~OutputFile() = default;

bool OutputFile::write(std::string_view bytes) { return system_->file.write(bytes); }

bool OutputFile::commit() { return system_->file.commit(); }

unsigned long OutputFile::error() const {
    return system_->file.error() == 0 ? 0 : windowsErrorCode(system_->file.error());
}

} // namespace kvl::platform

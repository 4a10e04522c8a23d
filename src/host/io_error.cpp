#include "host/io_error.h"

#include "platform/windows_error_codes.h"

namespace kvl::host {

namespace {
using namespace platform; // the Windows error codes
// The run-time library's own codes beside them.
constexpr unsigned long kReadBeyondEndOfFile = 100;
constexpr unsigned long kDiskFull = 101;
constexpr unsigned long kInvalidNumericInput = 106;
} // namespace

std::string ioErrorText(unsigned long windowsCode) {
    switch (windowsCode) {
    case kErrorFileNotFound:
        return "File not found";
    case kErrorPathNotFound:
        return "Invalid filename";
    case kErrorTooManyOpenFiles:
        return "Too many open files";
    case kErrorAccessDenied:
        return "File access denied";
    case kReadBeyondEndOfFile:
        return "Read beyond end of file";
    case kDiskFull:
        return "Disk full";
    case kInvalidNumericInput:
        return "Invalid numeric input";
    default:
        return "I/O error " + std::to_string(windowsCode);
    }
}

} // namespace kvl::host

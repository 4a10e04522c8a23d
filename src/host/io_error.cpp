#include "host/io_error.h"

#include <cerrno>

namespace kvl::host {

namespace {
// Windows error codes (winerror.h) that file output can end in.
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorTooManyOpenFiles = 4;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorGenFailure = 31;
constexpr int kErrorSharingViolation = 32;
constexpr int kErrorInvalidParameter = 87;
constexpr int kErrorDiskFull = 112;
constexpr int kErrorFilenameExcedRange = 206;
constexpr int kErrorIoDevice = 1117;
// The run-time library's own codes beside them.
constexpr int kReadBeyondEndOfFile = 100;
constexpr int kDiskFull = 101;
constexpr int kInvalidNumericInput = 106;
} // namespace

int windowsErrorCode(int posixError) {
    switch (posixError) {
    // The file is always created, so "no such entry" means a folder of the path is missing.
    case ENOENT:
    case ENOTDIR:
        return kErrorPathNotFound;
    // Windows refuses a write-protected file or folder, and a folder given as the file, this way.
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    case EMFILE:
    case ENFILE:
        return kErrorTooManyOpenFiles;
    // Another program holds the file.
    case ETXTBSY:
    case EBUSY:
        return kErrorSharingViolation;
    case ENAMETOOLONG:
        return kErrorFilenameExcedRange;
    case EINVAL:
        return kErrorInvalidParameter;
    case EIO:
        return kErrorIoDevice;
    // Whatever else the device reports: the general failure a Windows device gives.
    default:
        return kErrorGenFailure;
    }
}

std::string ioErrorText(int windowsCode) {
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

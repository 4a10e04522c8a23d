#include "platform/wine/windows_error.h"

#include <cerrno>

namespace kvl::platform {

namespace {
// Windows error codes (winerror.h) that file output can end in.
constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorTooManyOpenFiles = 4;
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorGenFailure = 31;
constexpr unsigned long kErrorSharingViolation = 32;
constexpr unsigned long kErrorInvalidParameter = 87;
constexpr unsigned long kErrorDiskFull = 112;
constexpr unsigned long kErrorFilenameExcedRange = 206;
constexpr unsigned long kErrorIoDevice = 1117;
} // namespace

unsigned long windowsErrorCode(int posixError) {
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

} // namespace kvl::platform

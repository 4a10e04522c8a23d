#include "platform/wine/windows_error.h"

#include <cerrno>

#include "platform/windows_error_codes.h"

namespace kvl::platform {

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

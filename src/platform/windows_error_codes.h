#pragma once

namespace kvl::platform {

// Windows error codes (winerror.h) that file operations end in, for code that cannot include
// <windows.h>: the Linux backend, which reports its failures by them, and the texts they show.
inline constexpr unsigned long kErrorFileNotFound = 2;
inline constexpr unsigned long kErrorPathNotFound = 3;
inline constexpr unsigned long kErrorTooManyOpenFiles = 4;
inline constexpr unsigned long kErrorAccessDenied = 5;
inline constexpr unsigned long kErrorGenFailure = 31;
inline constexpr unsigned long kErrorSharingViolation = 32;
inline constexpr unsigned long kErrorInvalidParameter = 87;
inline constexpr unsigned long kErrorDiskFull = 112;
inline constexpr unsigned long kErrorFilenameExcedRange = 206;
inline constexpr unsigned long kErrorIoDevice = 1117;

} // namespace kvl::platform

#pragma once

namespace kvl::platform {

// The Windows error code (winerror.h) that the same failure of a file operation gives on Windows.
unsigned long windowsErrorCode(int posixError);

} // namespace kvl::platform

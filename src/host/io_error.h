#pragma once

#include <string>

namespace kvl::host {

// The Windows error code that the same failure of a file operation gives on Windows.
int windowsErrorCode(int posixError);

// The text the host's run-time library shows for a Windows error code of a file operation.
std::string ioErrorText(int windowsCode);

} // namespace kvl::host

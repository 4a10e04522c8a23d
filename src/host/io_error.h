#pragma once

#include <string>

namespace kvl::host {

// The text the host's run-time library shows for a Windows error code of a file operation.
std::string ioErrorText(unsigned long windowsCode);

} // namespace kvl::host

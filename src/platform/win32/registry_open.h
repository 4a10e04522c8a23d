#pragma once

#include <windows.h>

namespace kvl::platform {

// The function through which the Windows backend opens registry keys: RegOpenKeyExA. Wine grants
// every access, so tests put a stand-in here to meet the refusals Windows gives a standard user.
using RegistryOpen = decltype(&RegOpenKeyExA);

// Installs a stand-in, or RegOpenKeyExA again for nullptr; returns the one it replaces.
RegistryOpen useRegistryOpen(RegistryOpen open);

} // namespace kvl::platform

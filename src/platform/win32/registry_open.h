#pragma once

#include <windows.h>

#include <string>

#include "platform/registry.h"

namespace kvl::platform {

// The function through which the Windows backend opens registry keys: RegOpenKeyExA. Wine grants
// every access, so tests put a stand-in here to meet the refusals Windows gives a standard user.
using RegistryOpen = decltype(&RegOpenKeyExA);

// Installs a stand-in, or RegOpenKeyExA again for nullptr; returns the one it replaces.
RegistryOpen useRegistryOpen(RegistryOpen open);

// Opens a key as Registry::openKey does (a leading backslash dropped, a refused full access retried for
// reading): the Win32 error code, and the key in `key` on success.
LONG openRegistryKey(RootKey root, const std::string &path, Access access, View view, HKEY *key);

} // namespace kvl::platform

#pragma once

#include <string>

#include "host/host_page.h"

namespace kvl::host {

// Writes the registry export file of the page's per-user values to a native path: code page 1252
// bytes, CR LF line ends, written beside the target and renamed over it, so a failure leaves an
// existing file as it was. Raises kvl::Error with the texts of the OS error code ("File not found",
// "Invalid filename", "File access denied", "I/O error %d", ...) or the rejected MaxObj text's message.
// An empty EMaxObj17 is first set to "0" once the file could be created.
void exportRegistryFile(HostPage &page, const std::string &nativePath);

class ExportFile;
// The same into an output already created beside its target; commits it when all lines are written.
void exportRegistryFile(HostPage &page, ExportFile &output);

} // namespace kvl::host

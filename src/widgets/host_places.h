#pragma once

class QFileDialog;

namespace kvl::widgets {

// Where the system's own file dialogs do not know the host's drives (on Linux, those of the Wine
// prefix), a file or folder dialog lists them as places under their letters ("C:") and names the
// folder it shows in the host's terms ("C:\Layouts") where a drive reaches it; paths typed in those terms
// map through the drives (typed_host_paths.h). Elsewhere the dialog is left as it is.
void offerHostPlaces(QFileDialog &dialog);

} // namespace kvl::widgets

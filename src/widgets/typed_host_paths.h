#pragma once

class QFileDialog;

namespace kvl::widgets {

// The toolkit's own file dialog reads every typed name as one in the folder it shows. A Windows user
// types paths in the host's terms instead ("C:\Layouts\Demo.anl3", "c:/layouts", "\Layouts" on the drive
// shown): these map through the host's drives. A folder is entered, a file is taken as the dialog takes
// a name (the save dialog's default extension included); a path on no drive, into a missing folder or to
// a missing file is refused with a message, and the dialog stays open. A Linux path counts where a drive
// holds it. Plain names are the dialog's own, as before.
void mapTypedHostPaths(QFileDialog &dialog);

} // namespace kvl::widgets

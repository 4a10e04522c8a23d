#pragma once

#include <QStringList>

class QWidget;

namespace kvl::widgets {

// The class names a control answers to in class lists (the keyboard navigator's): its own class first,
// then each ancestor up to the root "TObject". The numeric field counts as an edit, the check boxes as
// check boxes, the path edits as neither; a widget the table does not know is a plain "TWinControl".
// The controls of the file dialogs answer to no name at all.
QStringList componentClassChain(const QWidget &control);

} // namespace kvl::widgets

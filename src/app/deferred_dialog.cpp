#include "app/deferred_dialog.h"

void TDeferredDialog::ensureBuilt() {
    if (built_)
        return;
    built_ = true;
    buildContents();
}

void TDeferredDialog::setVisible(bool visible) {
    if (visible)
        ensureBuilt();
    QDialog::setVisible(visible);
}

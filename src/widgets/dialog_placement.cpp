#include "widgets/dialog_placement.h"

#include <QEvent>
#include <QWidget>

namespace kvl::widgets {

namespace {

DialogPlacement &placement() {
    static DialogPlacement current;
    return current;
}

class PlacementAtShowing : public QObject {
public:
    explicit PlacementAtShowing(QWidget &dialog) : QObject(&dialog), dialog_(dialog) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        // A dialog the system draws in its own window leaves the toolkit's window unseen.
        if (watched == &dialog_ && event->type() == QEvent::Show &&
            !dialog_.testAttribute(Qt::WA_DontShowOnScreen))
            placeDialog(dialog_);
        return false;
    }

private:
    QWidget &dialog_;
};

} // namespace

void setDialogPlacement(DialogPlacement replacement) { placement() = std::move(replacement); }

void placeDialog(QWidget &dialog) {
    if (placement())
        placement()(dialog);
}

void placeAtEachShowing(QWidget &dialog) { dialog.installEventFilter(new PlacementAtShowing(dialog)); }

} // namespace kvl::widgets

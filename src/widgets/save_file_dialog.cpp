#include "widgets/save_file_dialog.h"

#include "widgets/dialog_placement.h"
#include "widgets/host_places.h"
#include "widgets/path_rules.h"

#include <QDir>
#include <QFileDialog>

namespace {

// The default extension travels in the dialog itself, so the runner is built per call.
std::optional<QString> runSaveDialog(QWidget *parent, const QString &dir, const QString &name,
                                     const QString &ext) {
    QFileDialog dialog(parent, QString(), dir);
    // First: the dialog's own models are replaced there, and a file chosen before would be dropped.
    kvl::widgets::offerHostPlaces(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(ext);
    if (!name.isEmpty())
        dialog.selectFile(name);
    kvl::widgets::placeAtEachShowing(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

TSaveFileDialog::Runner &runner() {
    static TSaveFileDialog::Runner current;
    return current;
}

} // namespace

void TSaveFileDialog::setRunner(Runner replacement) { runner() = std::move(replacement); }

bool TSaveFileDialog::execute(QWidget *parent) {
    const QString dir = initialDir.isEmpty() ? QString() : kvl::widgets::nativeFromHost(initialDir);
    const std::optional<QString> chosen =
        runner() ? runner()(parent, dir, fileName) : runSaveDialog(parent, dir, fileName, defaultExt);
    if (!chosen)
        return false;
    fileName = *chosen;
    return true;
}

#include "widgets/typed_host_paths.h"

#include "i18n/file_dialog_texts.h"
#include "i18n/toolkit_translation.h"
#include "widgets/path_rules.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace kvl::widgets {

namespace {

bool startsWithDrive(const QString &typed) {
    return typed.size() >= 2 && typed.at(0).unicode() < 128 && typed.at(0).isLetter() &&
           typed.at(1) == QLatin1Char(':');
}

bool isSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

// A path in the host's terms or a Linux one, rather than a plain name in the folder shown. A name with
// Linux separators counts too: the dialog would take one into a folder that does not exist.
bool isTypedPath(const QString &typed) {
    return startsWithDrive(typed) || std::any_of(typed.cbegin(), typed.cend(), isSeparator);
}

// The host path a typed path stands for; empty where no drive holds it (a Linux path outside the drives,
// a network share).
QString hostPathOf(const QString &typed, const QFileDialog &dialog) {
    if (startsWithDrive(typed))
        return typed;
    if (typed.startsWith(QLatin1Char('/')))
        return hostFromNative(typed).value_or(QString());
    const std::optional<QString> shown = hostFromNative(dialog.directory().absolutePath());
    if (!shown || typed.startsWith(QStringLiteral("\\\\")))
        return {};
    // "\Layouts" from the root of the drive shown, "Layouts\Demo.anl3" from the folder shown.
    return typed.startsWith(QLatin1Char('\\')) ? shown->left(2) + typed : *shown + QLatin1Char('\\') + typed;
}

void refuse(QFileDialog &dialog, const QString &text, const QString &path) {
    QMessageBox::warning(&dialog, dialog.windowTitle(), text.arg(path));
}

// The toolkit's own words, which its catalogue translates.
QString toolkitText(const char *text) { return QCoreApplication::translate("QFileDialog", text); }

void refuseMissingFolder(QFileDialog &dialog, const QString &folder) {
    refuse(dialog,
           toolkitText("%1\nDirectory not found.\nPlease verify the correct directory name was given."),
           folder);
}

// Completes names in the folder shown, as the dialog's own completer does, and paths in the host's terms
// ("C:\Pro" offers "C:\Program Files"), regardless of case as Wine finds them; a Linux path only where a
// drive holds it, so that "/" no longer leads out of the drives.
class HostPathCompleter : public QCompleter {
public:
    HostPathCompleter(QFileSystemModel &files, QFileDialog &dialog)
        : QCompleter(&files, &dialog), files_(files), dialog_(dialog) {
        setCaseSensitivity(Qt::CaseInsensitive);
    }

    QStringList splitPath(const QString &typed) const override {
        QString native = files_.rootPath() + QLatin1Char('/') + typed;
        if (isTypedPath(typed)) {
            const QString host = hostPathOf(typed, dialog_);
            // A first part no folder is named: nothing to offer.
            if (host.isEmpty())
                return {QStringLiteral("//"), QString()};
            // The folder maps as a whole; the name being typed is matched against its entries.
            native = nativeFromHost(windowsFolderOf(host)) + QLatin1Char('/') + windowsNameOf(host);
        }
        static const QRegularExpression separators(QStringLiteral("[/\\\\]+"));
        QStringList parts = native.split(separators);
        parts.first() = QStringLiteral("/"); // the model's root, before the first separator
        return parts;
    }

    QString pathFromIndex(const QModelIndex &index) const override {
        const QString path = files_.filePath(index);
        if (isTypedPath(completionPrefix()))
            return hostFromNative(path).value_or(path);
        return QDir(files_.rootPath()).relativeFilePath(path);
    }

private:
    QFileSystemModel &files_;
    QFileDialog &dialog_;
};

const char *interfaceLanguage() { return i18n::toolkitSpeaksGerman() ? "GER" : "ENG"; }

// The toolkit's dialog would save under a name no Windows program can open; `path` is in the host's terms.
bool refuseInvalidName(QFileDialog &dialog, const QString &path, const QString &typed) {
    if (dialog.acceptMode() != QFileDialog::AcceptSave || isValidWindowsFileName(path))
        return false;
    refuse(dialog, i18n::invalidFileNameText(interfaceLanguage()), typed);
    return true;
}

// False leaves the typed name to the dialog.
bool takeTypedPath(QFileDialog &dialog, QLineEdit &nameEdit) {
    const QString typed = nameEdit.text();
    if (!isTypedPath(typed))
        return !typed.trimmed().isEmpty() && refuseInvalidName(dialog, typed, typed);
    // The field keeps the key, so its completer would go on offering what was typed.
    if (QCompleter *completer = nameEdit.completer())
        completer->popup()->hide();
    const QString host = hostPathOf(typed, dialog);
    if (host.isEmpty() || !QFileInfo(nativeFromHost(host.left(2) + QLatin1Char('\\'))).isDir()) {
        refuse(dialog, i18n::pathOnNoDriveText(interfaceLanguage()), typed);
        return true;
    }
    const QString native = nativeFromHost(host);
    const QFileInfo target(native);
    if (target.isDir()) {
        // With the focus elsewhere (the button pressed), the dialog would fill the emptied field with the
        // folder's own name; Windows gives the focus back to the field.
        nameEdit.setFocus();
        dialog.setDirectory(native);
        nameEdit.clear();
        return true;
    }
    if (dialog.fileMode() == QFileDialog::Directory || isSeparator(typed.back())) {
        refuseMissingFolder(dialog, typed);
        return true;
    }
    if (!target.dir().exists()) {
        refuseMissingFolder(dialog, windowsFolderOf(typed));
        return true;
    }
    if (dialog.fileMode() != QFileDialog::AnyFile && !target.exists()) {
        refuse(dialog, toolkitText("%1\nFile not found.\nPlease verify the correct file name was given."),
               typed);
        return true;
    }
    if (refuseInvalidName(dialog, host, typed))
        return true;
    // The dialog takes an absolute name as it is, and gives it its default extension as to any name; files
    // still selected in its list would come first.
    if (auto *list = dialog.findChild<QAbstractItemView *>(QStringLiteral("listView")))
        list->clearSelection();
    nameEdit.setText(native);
    static_cast<QDialog &>(dialog).accept(); // the file dialog's own, protected there
    if (dialog.result() != QDialog::Accepted)
        nameEdit.setText(typed);
    return true;
}

} // namespace

void mapTypedHostPaths(QFileDialog &dialog) {
    auto *nameEdit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    auto *files = dialog.findChild<QFileSystemModel *>();
    if (!nameEdit || !buttons || !files)
        return;
    nameEdit->setCompleter(new HostPathCompleter(*files, dialog));
    // Return and the dialog's button confirm here first: the dialog would read a path as a name.
    QObject::disconnect(nameEdit, &QLineEdit::returnPressed, &dialog, nullptr);
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
    const auto accept = [&dialog, nameEdit] {
        if (!takeTypedPath(dialog, *nameEdit))
            static_cast<QDialog &>(dialog).accept();
    };
    QObject::connect(nameEdit, &QLineEdit::returnPressed, &dialog, accept);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, accept);
    // The dialog disables its button for a name it does not find in the folder shown; a path is judged
    // when it is confirmed. This runs after the dialog's own check.
    QObject::connect(nameEdit, &QLineEdit::textChanged, &dialog, [&dialog, buttons](const QString &typed) {
        const bool open = dialog.acceptMode() == QFileDialog::AcceptOpen;
        if (QPushButton *button = buttons->button(open ? QDialogButtonBox::Open : QDialogButtonBox::Save))
            button->setEnabled(button->isEnabled() || isTypedPath(typed));
    });
}

} // namespace kvl::widgets

#include "widgets/path_edit.h"

#include "platform/cp1252.h"
#include "platform/error.h"
#include "widgets/accessible_widgets.h"
#include "widgets/dialog_placement.h"
#include "widgets/host_places.h"
#include "widgets/path_rules.h"
#include "widgets/window_frame.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolButton>
#include <algorithm>

namespace {

std::optional<QString> runSystemDialog(QWidget *parent, const TPathEdit::BrowseRequest &request) {
    QFileDialog dialog(parent, request.title, request.startFolder);
    // First: the dialog's own models are replaced there, and a file chosen before would be dropped.
    kvl::widgets::offerHostPlaces(dialog);
    if (request.folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        const QStringList filters = kvl::widgets::qtNameFilters(request.filter);
        if (!filters.isEmpty())
            dialog.setNameFilters(filters);
        if (!request.proposedName.isEmpty())
            dialog.selectFile(request.proposedName);
    }
    if (request.title.isEmpty())
        kvl::widgets::showEmptyTitle(dialog);
    else
        dialog.setWindowTitle(request.title);
    kvl::widgets::placeAtEachShowing(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

TPathEdit::DialogRunner &dialogRunner() {
    static TPathEdit::DialogRunner runner = runSystemDialog;
    return runner;
}

QString firstDroppedPath(const QMimeData *data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty() || !data->urls().constFirst().isLocalFile())
        return {};
    return QDir::toNativeSeparators(data->urls().constFirst().toLocalFile());
}

[[noreturn]] void refuseName(const QString &name) {
    throw kvl::Error("Invalid file name - " + kvl::platform::utf8ToCp1252(name.toStdString()));
}

} // namespace

void TPathEdit::setDialogRunner(DialogRunner runner) {
    dialogRunner() = runner ? std::move(runner) : DialogRunner(runSystemDialog);
}

TPathEdit::TPathEdit(bool folder, QWidget *parent) : QLineEdit(parent), folder_(folder) {
    setReadOnly(true); // still focusable and selectable; typing and pasting are refused
    setAcceptDrops(true);
    kvl::widgets::useAccessibleInterfaces();
    button_ = new QToolButton(this);
    button_->setText(QStringLiteral("..."));
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QToolButton::clicked, this, &TPathEdit::browse);
    connect(this, &QLineEdit::textChanged, this, &TPathEdit::onTextChanged);
}

void TPathEdit::onTextChanged(const QString &text) {
    const auto lineBreak = std::find_if(
        text.begin(), text.end(), [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); });
    if (lineBreak != text.end()) {
        // Runs this again with the cut text, which then reaches change().
        setText(text.first(lineBreak - text.begin()));
        return;
    }
    emit change();
}

void TPathEdit::browse() {
    BrowseRequest request = browseRequest();
    request.folder = folder_;
    const std::optional<QString> chosen = dialogRunner()(this, request);
    setFocus(Qt::OtherFocusReason);
    if (chosen)
        browsed(*chosen);
}

void TPathEdit::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier)) {
        browse();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TPathEdit::resizeEvent(QResizeEvent *e) {
    QLineEdit::resizeEvent(e);
    const int side = std::max(0, height() - 4);
    button_->setGeometry(width() - side - 2, 2, side, side);
    setTextMargins(0, 0, side + 2, 0);
}

void TPathEdit::dragEnterEvent(QDragEnterEvent *e) {
    if (!firstDroppedPath(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPathEdit::dragMoveEvent(QDragMoveEvent *e) {
    if (!firstDroppedPath(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPathEdit::dropEvent(QDropEvent *e) {
    const QString dropped = firstDroppedPath(e->mimeData());
    if (dropped.isEmpty()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    if (const std::optional<QString> host = acceptDrop(dropped))
        setText(*host);
}

TFileNameEdit::TFileNameEdit(QWidget *parent) : TPathEdit(false, parent) {}

TPathEdit::BrowseRequest TFileNameEdit::browseRequest() const {
    BrowseRequest request;
    request.title = QStringLiteral("Browse");
    request.filter = filter_;
    QString startFolder = nextStartFolder_;
    if (kvl::widgets::isValidWindowsFileName(text())) {
        const QString folder = kvl::widgets::windowsFolderOf(text());
        if (!folder.isEmpty() && QFileInfo(kvl::widgets::nativeFromHost(folder)).isDir())
            startFolder = folder;
        request.proposedName = kvl::widgets::windowsNameOf(text());
    }
    if (!startFolder.isEmpty())
        request.startFolder = kvl::widgets::nativeFromHost(startFolder);
    return request;
}

// A character without a code page 1252 form comes back as "?", which no file name may hold.
QString TFileNameEdit::hostFileName(const QString &nativePath) {
    const std::optional<QString> host = kvl::widgets::hostFromNative(nativePath);
    if (!host || !kvl::widgets::isValidWindowsFileName(*host))
        refuseName(host.value_or(nativePath));
    return *host;
}

std::optional<QString> TFileNameEdit::acceptDrop(const QString &nativePath) {
    return hostFileName(nativePath);
}

void TFileNameEdit::browsed(const QString &nativePath) {
    const QString host = hostFileName(nativePath);
    setText(host);
    nextStartFolder_ = kvl::widgets::windowsFolderOf(host);
}

TFolderNameEdit::TFolderNameEdit(QWidget *parent) : TPathEdit(true, parent) {}

TPathEdit::BrowseRequest TFolderNameEdit::browseRequest() const {
    BrowseRequest request;
    const QString root = QStringLiteral("\\");
    QString start = text().isEmpty() ? (lastChosen_.isEmpty() ? root : lastChosen_) : text();
    if (!QFileInfo(kvl::widgets::nativeFromHost(start)).isDir())
        start = root;
    request.startFolder = kvl::widgets::nativeFromHost(start);
    return request;
}

std::optional<QString> TFolderNameEdit::acceptDrop(const QString &nativePath) {
    const QFileInfo dropped(nativePath);
    const QString folder = dropped.isDir() ? nativePath : QDir::toNativeSeparators(dropped.absolutePath());
    std::optional<QString> host = kvl::widgets::hostFromNative(folder);
    if (!host)
        refuseName(nativePath);
    return host;
}

void TFolderNameEdit::browsed(const QString &nativePath) {
    const std::optional<QString> host = kvl::widgets::hostFromNative(nativePath);
    if (!host)
        refuseName(nativePath);
    setText(*host);
    lastChosen_ = *host;
}

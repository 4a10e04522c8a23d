#include "widgets/host_places.h"

#include "platform/system.h"
#include "widgets/file_list_columns.h"
#include "widgets/path_rules.h"
#include "widgets/typed_host_paths.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QUrl>
#include <functional>
#include <optional>

namespace kvl::widgets {

namespace {

using Label = std::function<std::optional<QString>(const QString &nativePath)>;

// The dialog's place lists keep each entry's address under this role beside the text they show.
constexpr int kUrlRole = Qt::UserRole + 1;

void relabelRows(QAbstractItemModel &model, const Label &label) {
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        const QUrl url = index.data(kUrlRole).toUrl();
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const std::optional<QString> text = label(path);
        // Setting the same text again would only signal a change and come back here.
        if (text && index.data(Qt::DisplayRole).toString() != *text)
            model.setData(index, *text, Qt::DisplayRole);
        // A place's tip names its folder: in the host's terms, not the prefix's on Linux.
        const QVariant tip = index.data(Qt::ToolTipRole);
        const std::optional<QString> hostPath = hostFromNative(path);
        if (tip.isValid() && hostPath && tip.toString() != *hostPath)
            model.setData(index, *hostPath, Qt::ToolTipRole);
    }
}

// The dialog rewrites its lists as the user moves through folders; the labels follow each rewrite.
void keepRelabelled(QAbstractItemView *view, const Label &label) {
    if (!view || !view->model())
        return;
    QAbstractItemModel *model = view->model();
    const auto relabel = [model, label] { relabelRows(*model, label); };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view, relabel);
    QObject::connect(model, &QAbstractItemModel::modelReset, view, relabel);
    QObject::connect(model, &QAbstractItemModel::dataChanged, view, relabel);
    relabel();
}

// The folders "Look in" lists: the prefix's drives, then the folder shown and those above it down from its
// drive's root. Nothing above a drive's root: the prefix and the folders that hold it are Wine's own.
QStringList lookInFolders(const QFileDialog &dialog, const std::vector<platform::DrivePlace> &drives) {
    QStringList folders;
    for (const platform::DrivePlace &drive : drives)
        folders << QFile::decodeName(QByteArray::fromStdString(drive.folder));
    const QString shown = dialog.directory().absolutePath();
    const std::optional<QString> hostPath = hostFromNative(shown);
    if (!hostPath) {
        folders << shown;
        return folders;
    }
    const QStringList parts = hostPath->split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QString path = parts.value(0);
    for (const QString &part : parts.mid(1)) {
        path += QLatin1Char('\\') + part;
        folders << nativeFromHost(path);
    }
    return folders;
}

// The dialog lists the folders above the shown one up to the file system's root, and its history, each
// time the list opens; here the list is filled anew instead, as the system's dialog shows it.
class LookInList : public QObject {
public:
    LookInList(QFileDialog &dialog, QComboBox &lookIn, std::vector<platform::DrivePlace> drives)
        : QObject(&lookIn), dialog_(dialog), lookIn_(lookIn), drives_(std::move(drives)) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &lookIn_ || !opensList(*event))
            return false;
        fill();
        lookIn_.QComboBox::showPopup();
        return true;
    }

private:
    static bool opensList(const QEvent &event) {
        if (event.type() == QEvent::MouseButtonPress)
            return static_cast<const QMouseEvent &>(event).button() == Qt::LeftButton;
        if (event.type() != QEvent::KeyPress)
            return false;
        const auto &key = static_cast<const QKeyEvent &>(event);
        const bool alt = key.modifiers() & Qt::AltModifier;
        return key.key() == Qt::Key_F4 || key.key() == Qt::Key_Space || key.key() == Qt::Key_Select ||
               (alt && (key.key() == Qt::Key_Down || key.key() == Qt::Key_Up));
    }

    void fill() {
        const QStringList folders = lookInFolders(dialog_, drives_);
        QAbstractItemModel &model = *lookIn_.model();
        model.removeRows(0, model.rowCount());
        model.insertRows(0, int(folders.size()));
        for (int row = 0; row < folders.size(); ++row)
            model.setData(model.index(row, 0), QUrl::fromLocalFile(folders[row]), kUrlRole);
        lookIn_.setCurrentIndex(int(folders.size()) - 1);
    }

    QFileDialog &dialog_;
    QComboBox &lookIn_;
    std::vector<platform::DrivePlace> drives_;
};

// Above a drive's root lie the prefix and Wine's own folders: the way up ends at the root. The dialog
// enables its way up anew at each folder it enters, before this runs.
void endWayUpAtDriveRoots(QFileDialog &dialog) {
    auto *files = dialog.findChild<QFileSystemModel *>();
    auto *upButton = dialog.findChild<QToolButton *>(QStringLiteral("toParentButton"));
    auto *upAction = dialog.findChild<QAction *>(QStringLiteral("qt_goto_parent_action"));
    if (!files || !upButton || !upAction)
        return;
    const auto endAtDriveRoot = [upButton, upAction](const QString &folder) {
        const std::optional<QString> hostPath = hostFromNative(folder);
        const bool driveRoot = hostPath && hostPath->size() == 3; // "C:\\"
        upAction->setEnabled(!driveRoot);
        if (driveRoot)
            upButton->setEnabled(false);
    };
    QObject::connect(files, &QFileSystemModel::rootPathChanged, &dialog, endAtDriveRoot);
    endAtDriveRoot(files->rootPath());
}

} // namespace

void offerHostPlaces(QFileDialog &dialog) {
    const std::vector<platform::DrivePlace> drives = platform::drivePlaces();
    if (drives.empty())
        return;
    // Only the toolkit's own dialog takes places of the program's choosing.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *sidebar = dialog.findChild<QAbstractItemView *>(QStringLiteral("sidebar"));
    if (!sidebar)
        return;
    // The side panel shows what a Windows program's user sees there: the drives, none of the Linux
    // places ("Computer", the home folder) that lie outside them.
    const QList<QUrl> usersPlaces = dialog.sidebarUrls();
    QList<QUrl> places;
    QHash<QString, QString> letters;
    for (const platform::DrivePlace &drive : drives) {
        const QString folder = QFile::decodeName(QByteArray::fromStdString(drive.folder));
        places << QUrl::fromLocalFile(folder);
        letters.insert(QUrl::fromLocalFile(folder).toLocalFile(),
                       QString(QLatin1Char(drive.letter)) + QLatin1Char(':'));
    }
    dialog.setSidebarUrls(places);
    // The dialog stores its places for every later dialog of the user's when it goes; the drives of
    // this prefix are not among them.
    QObject::connect(&dialog, &QDialog::finished, &dialog,
                     [&dialog, usersPlaces] { dialog.setSidebarUrls(usersPlaces); });
    keepRelabelled(sidebar, [letters](const QString &path) -> std::optional<QString> {
        if (const auto letter = letters.constFind(path); letter != letters.cend())
            return *letter;
        return std::nullopt;
    });
    if (auto *lookIn = dialog.findChild<QComboBox *>(QStringLiteral("lookInCombo"))) {
        keepRelabelled(lookIn->view(), hostFromNative);
        lookIn->installEventFilter(new LookInList(dialog, *lookIn, drives));
    }
    endWayUpAtDriveRoots(dialog);
    mapTypedHostPaths(dialog);
    fitFileColumns(dialog);
}

} // namespace kvl::widgets

#include "widgets/host_places.h"

#include "platform/system.h"
#include "widgets/path_rules.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHash>
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
        const std::optional<QString> text = label(url.toLocalFile());
        // Setting the same text again would only signal a change and come back here.
        if (text && index.data(Qt::DisplayRole).toString() != *text)
            model.setData(index, *text, Qt::DisplayRole);
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
    const QList<QUrl> usersPlaces = dialog.sidebarUrls();
    QList<QUrl> places = usersPlaces;
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
    if (auto *lookIn = dialog.findChild<QComboBox *>(QStringLiteral("lookInCombo")))
        keepRelabelled(lookIn->view(), hostFromNative);
}

} // namespace kvl::widgets

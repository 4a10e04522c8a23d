#include "widgets/file_list_columns.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>
#include <optional>

namespace kvl::widgets {

namespace {

// The file model's columns.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

// The file model writes sizes and dates in the system's language; the views, their size hints and a
// screen reader read them from here in the interface language (the default locale).
class InterfaceLanguageFiles : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override {
        if (role == Qt::DisplayRole)
            if (const std::optional<QString> text = interfaceText(mapToSource(index)))
                return *text;
        return QIdentityProxyModel::data(index, role);
    }

private:
    std::optional<QString> interfaceText(const QModelIndex &index) const {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files)
            return std::nullopt;
        const QLocale language;
        if (index.column() == kSizeColumn && !files->isDir(index))
            return language.formattedDataSize(files->size(index));
        if (index.column() == kDateColumn)
            return language.toString(files->lastModified(index), QLocale::ShortFormat);
        return std::nullopt;
    }
};

} // namespace

void fitFileColumns(QFileDialog &dialog) {
    auto *files = dialog.findChild<QFileSystemModel *>();
    auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!files || !details)
        return;
    dialog.setProxyModel(new InterfaceLanguageFiles(&dialog));
    // Each folder brings its own names, types and dates: the columns fit again once it is shown (after
    // the view takes it, hence queued) and once it is read.
    const auto fit = [details] {
        for (int column = 0; column < details->model()->columnCount(); ++column)
            details->resizeColumnToContents(column);
    };
    QObject::connect(files, &QFileSystemModel::rootPathChanged, details, fit, Qt::QueuedConnection);
    QObject::connect(files, &QFileSystemModel::directoryLoaded, details, fit);
    fit();
}

} // namespace kvl::widgets

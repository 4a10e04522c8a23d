#include "widgets/file_list_columns.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace kvl::widgets {

namespace {

// The file model's columns.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

class InterfaceLocaleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const std::optional<QString> text = interfaceFileText(index))
            option->text = *text;
    }
};

} // namespace

std::optional<QString> interfaceFileText(const QModelIndex &index) {
    const auto *files = qobject_cast<const QFileSystemModel *>(index.model());
    if (!files)
        return std::nullopt;
    const QLocale language;
    if (index.column() == kSizeColumn && !files->isDir(index))
        return language.formattedDataSize(files->size(index));
    if (index.column() == kDateColumn)
        return language.toString(files->lastModified(index), QLocale::ShortFormat);
    return std::nullopt;
}

void fitFileColumns(QFileDialog &dialog) {
    auto *files = dialog.findChild<QFileSystemModel *>();
    auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!files || !details)
        return;
    dialog.setItemDelegate(new InterfaceLocaleDelegate(&dialog));
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

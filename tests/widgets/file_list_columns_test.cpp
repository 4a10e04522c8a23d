#include "widgets/file_list_columns.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// In German a file's size and date read as German ones, whatever the system's language, and no column
// is narrower than its caption ("Änderungsdatum") or its texts.
TEST(FileListColumns, SizesAndDatesSpeakTheInterfaceLanguageInColumnsThatFitThem) {
    QTemporaryDir folder;
    QFile file(folder.filePath("Demo.anl3"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1536, 'x'));
    file.flush(); // else closing writes it and dates the file anew
    ASSERT_TRUE(
        file.setFileTime(QDateTime(QDate(2026, 3, 5), QTime(14, 7)), QFileDevice::FileModificationTime));
    file.close();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        QFileDialog dialog(nullptr, QString(), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        kvl::widgets::fitFileColumns(dialog);
        dialog.show();
        auto *files = dialog.findChild<QFileSystemModel *>();
        auto *details = dialog.findChild<QTreeView *>("treeView");
        const QModelIndex name = files->index(file.fileName());
        ASSERT_TRUE(QTest::qWaitFor([&] { return files->rowCount(name.parent()) == 1; }, 10000));
        // As the list shows it, and a screen reader reads it.
        const auto shown = [&](int column) {
            return details->model()->index(0, column, details->rootIndex()).data().toString();
        };
        EXPECT_EQ(shown(1), "1,50 KiB");
        EXPECT_EQ(shown(3), "05.03.26 14:07");
        // Columns narrowed (as a former dialog leaves them for the next one) fit again at the next folder.
        const auto fitted = [&] {
            for (int column = 0; column < files->columnCount(); ++column) {
                const int contents = static_cast<QAbstractItemView *>(details)->sizeHintForColumn(column);
                if (details->columnWidth(column) <
                    std::max(details->header()->sectionSizeHint(column), contents))
                    return false;
            }
            return true;
        };
        for (const QString &next : {folder.path() + "/..", folder.path()}) {
            for (int column = 0; column < files->columnCount(); ++column)
                details->header()->resizeSection(column, 10);
            dialog.setDirectory(next);
            EXPECT_TRUE(QTest::qWaitFor(fitted, 10000)) << next.toStdString();
        }
    }
    QLocale::setDefault(before);
}

} // namespace

#include "widgets/save_file_dialog.h"

#include "support/temp_prefix.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Answers the real dialog as a user would: checks where it opened, types a name, confirms.
struct DialogAnswer {
    QString typed;
    QString openedIn;
    QString proposed;
    void arm() {
        QTimer::singleShot(0, [this] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            openedIn = dialog->directory().canonicalPath();
            proposed = dialog->selectedFiles().value(0);
            dialog->selectFile(typed);
            static_cast<QDialog *>(dialog)->accept(); // runs the file dialog's own accept
        });
    }
};

TEST(SaveFileDialog, OpensInTheMappedFolderAndAddsTheDefaultExtension) {
    kvl::test::TempPrefix prefix;
    const std::string exports = prefix.driveC() + "/Exports";
    std::filesystem::create_directories(exports);
    kvl::test::TempPrefix::writeFile(exports + "/old.reg", "old");
    const QString folder = QDir(QString::fromStdString(exports)).canonicalPath();

    struct Case {
        const char *typed;
        const char *chosen;
    };
    const Case cases[] = {
        {"backup", "backup.cfg"},
        {"KVL17.reg", "KVL17.reg"},
        {"old.reg", "old.reg"}, // an existing file is taken without a question
    };
    for (const Case &c : cases) {
        TSaveFileDialog dialog;
        dialog.initialDir = "C:\\Exports\\";
        dialog.fileName = "KVL17.reg";
        DialogAnswer answer{c.typed, {}, {}};
        answer.arm();
        ASSERT_TRUE(dialog.execute(nullptr));
        EXPECT_EQ(answer.openedIn, folder);
        EXPECT_TRUE(answer.proposed.endsWith("/KVL17.reg")) << answer.proposed.toStdString();
        EXPECT_EQ(QFileInfo(dialog.fileName).fileName(), QString(c.chosen));
        EXPECT_EQ(QFileInfo(dialog.fileName).dir().canonicalPath(), folder);
    }
}

TEST(SaveFileDialog, CancelKeepsTheFileName) {
    TSaveFileDialog dialog;
    dialog.fileName = "KVL17.reg";
    TSaveFileDialog::setRunner([](QWidget *, const QString &, const QString &) { return std::nullopt; });
    EXPECT_FALSE(dialog.execute(nullptr));
    TSaveFileDialog::setRunner(nullptr);
    EXPECT_EQ(dialog.fileName, "KVL17.reg");
}

} // namespace

#include "widgets/host_places.h"

#include "support/temp_prefix.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using kvl::test::TempPrefix;

QStringList shownTexts(const QAbstractItemModel &model, int role = Qt::DisplayRole) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, 0).data(role).toString();
    return texts;
}

class HostPlaces : public testing::Test {
protected:
    HostPlaces() { fs::create_directories(prefix.driveC() + "/Program Files/KVL"); }
    QString drive(const char *letterAndRest) const {
        return QString::fromStdString(prefix.path() + "/dosdevices/" + letterAndRest);
    }
    QStringList sidebar(QFileDialog &dialog, int role = Qt::DisplayRole) const {
        return shownTexts(*dialog.findChild<QAbstractItemView *>("sidebar")->model(), role);
    }
    QString lookIn(QFileDialog &dialog) const {
        return dialog.findChild<QComboBox *>("lookInCombo")->currentText();
    }

    TempPrefix prefix;
};

TEST_F(HostPlaces, TheSidebarListsTheDrivesAloneUnderTheirLettersForThisDialogOnly) {
    for (const QFileDialog::FileMode mode : {QFileDialog::ExistingFile, QFileDialog::Directory}) {
        QList<QUrl> usersPlaces;
        {
            QFileDialog dialog(nullptr, QString(), drive("c:"));
            dialog.setFileMode(mode);
            usersPlaces = dialog.sidebarUrls();
            kvl::widgets::offerHostPlaces(dialog);
            // The drives alone: none of the Linux places beside them.
            EXPECT_EQ(dialog.sidebarUrls(),
                      (QList<QUrl>{QUrl::fromLocalFile(drive("c:")), QUrl::fromLocalFile(drive("z:"))}));
            EXPECT_EQ(sidebar(dialog), (QStringList{"C:", "Z:"}));
            EXPECT_EQ(sidebar(dialog, Qt::ToolTipRole), (QStringList{"C:\\", "Z:\\"})) << "not the prefix";
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
            dialog.reject();
        }
        // The places the dialog keeps for the user's next dialog are the user's own.
        QFileDialog next;
        EXPECT_EQ(next.sidebarUrls(), usersPlaces);
    }
}

TEST_F(HostPlaces, LookInNamesTheFolderInTheHostsTermsWhereADriveReachesIt) {
    struct Case {
        QString folder;
        QString shown;
    };
    const Case cases[] = {
        {drive("c:/Program Files/KVL"), "C:\\Program Files\\KVL"},
        {drive("c:"), "C:\\"},
        {QString::fromStdString(prefix.driveC() + "/Program Files"), "C:\\Program Files"},
        {"/tmp", "Z:\\tmp"},
    };
    QFileDialog dialog;
    kvl::widgets::offerHostPlaces(dialog);
    for (const Case &c : cases) {
        dialog.setDirectory(c.folder);
        EXPECT_EQ(lookIn(dialog), c.shown) << c.folder.toStdString();
    }
    // Without the root drive a folder outside the prefix keeps its own name.
    fs::remove(prefix.path() + "/dosdevices/z:");
    dialog.setDirectory("/usr");
    EXPECT_EQ(lookIn(dialog), "/usr");
    dialog.reject(); // leaves the user's own places behind
}

// Opened, "Look in" lists the drives, then the folder shown down from its drive's root: neither the prefix
// nor the folders that hold it; a drive chosen there opens.
TEST_F(HostPlaces, LookInListsTheDrivesFirstAndNothingAboveADrivesRoot) {
    QFileDialog dialog(nullptr, QString(), drive("c:/Program Files/KVL"));
    dialog.setFileMode(QFileDialog::Directory);
    kvl::widgets::offerHostPlaces(dialog);
    dialog.show();
    auto *lookIn = dialog.findChild<QComboBox *>("lookInCombo");
    for (const auto &open :
         std::vector<std::function<void()>>{[lookIn] { QTest::keyClick(lookIn, Qt::Key_F4); },
                                            [lookIn] { QTest::mouseClick(lookIn, Qt::LeftButton); }}) {
        open();
        EXPECT_EQ(shownTexts(*lookIn->model()),
                  (QStringList{"C:\\", "Z:\\", "C:\\Program Files", "C:\\Program Files\\KVL"}));
        EXPECT_EQ(lookIn->currentText(), "C:\\Program Files\\KVL");
        lookIn->hidePopup();
    }
    QTest::keyClick(lookIn, Qt::Key_F4);
    QAbstractItemView *list = lookIn->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(dialog.directory().absolutePath(), drive("z:"));
    EXPECT_EQ(lookIn->currentText(), "Z:\\");
    // Nor is there a way up from a drive's root.
    auto *up = dialog.findChild<QToolButton *>("toParentButton");
    EXPECT_FALSE(up->isEnabled());
    dialog.setDirectory(drive("c:/Program Files"));
    EXPECT_TRUE(up->isEnabled());
    up->click();
    EXPECT_EQ(dialog.directory().absolutePath(), drive("c:"));
    EXPECT_FALSE(up->isEnabled());
    EXPECT_FALSE(dialog.findChild<QAction *>("qt_goto_parent_action")->isEnabled()) << "its shortcut";
    dialog.reject();
}

TEST_F(HostPlaces, WithoutDrivesTheDialogStaysAsItIs) {
    fs::remove_all(prefix.path() + "/dosdevices");
    QFileDialog dialog(nullptr, QString(), "/tmp");
    const QList<QUrl> systemPlaces = dialog.sidebarUrls();
    kvl::widgets::offerHostPlaces(dialog);
    EXPECT_EQ(dialog.sidebarUrls(), systemPlaces);
    EXPECT_EQ(lookIn(dialog), "/tmp");
}

} // namespace

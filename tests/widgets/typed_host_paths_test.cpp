#include "widgets/host_places.h"

#include "i18n/toolkit_translation.h"
#include "support/temp_prefix.h"
#include "widgets/path_rules.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>

namespace {

namespace fs = std::filesystem;
using kvl::test::TempPrefix;

// The host's drives here: C: and, unless a case takes it away, Z: (the root of the Linux system).
class TypedHostPaths : public testing::Test {
protected:
    TypedHostPaths() {
        fs::create_directories(prefix.driveC() + "/users/me/Desktop");
        TempPrefix::writeFile(prefix.driveC() + "/users/me/old.reg", "old");
    }

    struct Outcome {
        QString chosen;  // the host path accepted, or empty
        QString shown;   // the folder shown afterwards, in host terms
        QString typed;   // what the name field holds afterwards
        QString refusal; // the message shown, or empty
    };

    // Types into a dialog opened on C:\ and confirms with Return or the dialog's button, as a user does;
    // a message box that comes up is read and closed.
    Outcome confirm(QFileDialog::FileMode mode, const QString &typed, bool byButton) {
        QFileDialog dialog(nullptr, QString(), QString::fromStdString(prefix.path() + "/dosdevices/c:"));
        kvl::widgets::offerHostPlaces(dialog);
        dialog.setFileMode(mode);
        if (mode == QFileDialog::AnyFile) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix("cfg");
        }
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        auto *nameEdit = dialog.findChild<QLineEdit *>("fileNameEdit");
        nameEdit->setFocus();
        QTest::keyClicks(nameEdit, typed);
        Outcome outcome;
        QTimer::singleShot(0, &dialog, [&outcome] { // runs only in a message box's loop
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                outcome.refusal = box->text();
                box->accept();
            }
        });
        if (byButton)
            QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open),
                              Qt::LeftButton);
        else
            QTest::keyClick(nameEdit, Qt::Key_Return);
        if (dialog.result() == QDialog::Accepted)
            outcome.chosen = kvl::widgets::hostFromNative(dialog.selectedFiles().value(0)).value_or("?");
        outcome.shown = kvl::widgets::hostFromNative(dialog.directory().absolutePath()).value_or("?");
        outcome.typed = nameEdit->text();
        dialog.reject(); // leaves the user's own places behind
        return outcome;
    }

    TempPrefix prefix;
};

TEST_F(TypedHostPaths, MapThroughTheDrivesOrAreRefused) {
    const QString linuxDesktop = QString::fromStdString(prefix.driveC() + "/users/me/Desktop");
    struct Case {
        QFileDialog::FileMode mode;
        QString typed;
        QString chosen, shown, refusal; // refusal: the message's first two lines
        bool byButton = false;
        bool rootDrive = true;
    };
    const QString stays; // the dialog stays on C:\ with the typed text
    const Case cases[] = {
        {QFileDialog::AnyFile, "C:\\Users\\me\\Desktop\\out.reg", "C:\\users\\me\\Desktop\\out.reg", stays,
         ""},
        {QFileDialog::AnyFile, "c:/users/me/out", "C:\\users\\me\\out.cfg", stays, ""},
        {QFileDialog::AnyFile, "C:\\users\\me\\Desktop", "", "C:\\users\\me\\Desktop", ""},
        {QFileDialog::AnyFile, "plain", "C:\\plain.cfg", stays, ""},
        {QFileDialog::AnyFile, "users\\me\\out", "C:\\users\\me\\out.cfg", stays, ""},
        {QFileDialog::AnyFile, "D:\\data", "", stays, "D:\\data\nThis path is on none of the drives."},
        {QFileDialog::AnyFile, "C:\\nowhere\\out.reg", "", stays, "C:\\nowhere\nDirectory not found."},
        {QFileDialog::AnyFile, "nowhere/out.reg", "", stays, "nowhere\nDirectory not found."},
        {QFileDialog::AnyFile, "users/me/../out", "C:\\users\\out.cfg", stays, ""},
        {QFileDialog::AnyFile, "a?b", "", stays, "a?b\nThe file name is not valid."},
        {QFileDialog::AnyFile, "C:\\users\\a|b.reg", "", stays,
         "C:\\users\\a|b.reg\nThe file name is not valid."},
        {QFileDialog::AnyFile, linuxDesktop + "/out.reg", "C:\\users\\me\\Desktop\\out.reg", stays, ""},
        {QFileDialog::AnyFile, "/usr", "", stays, "/usr\nThis path is on none of the drives.", false, false},
        {QFileDialog::ExistingFile, "C:\\USERS\\me\\old.reg", "C:\\users\\me\\old.reg", stays, "", true},
        {QFileDialog::ExistingFile, "\\users\\me\\old.reg", "C:\\users\\me\\old.reg", stays, ""},
        {QFileDialog::ExistingFile, "C:\\users\\me\\none.reg", "", stays,
         "C:\\users\\me\\none.reg\nFile not found."},
        {QFileDialog::ExistingFile, "C:/users/", "", "C:\\users", "", true},
        {QFileDialog::Directory, "c:\\users\\me", "", "C:\\users\\me", "", true},
        {QFileDialog::Directory, "C:\\users\\nobody", "", stays, "C:\\users\\nobody\nDirectory not found."},
        {QFileDialog::Directory, "E:", "", stays, "E:\nThis path is on none of the drives."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        if (!c.rootDrive)
            fs::remove(prefix.path() + "/dosdevices/z:");
        const Outcome outcome = confirm(c.mode, c.typed, c.byButton);
        EXPECT_EQ(outcome.chosen, c.chosen);
        EXPECT_EQ(outcome.shown, c.shown.isEmpty() ? "C:\\" : c.shown);
        if (c.chosen.isEmpty()) { // a folder entered empties the field, a refusal leaves it as typed
            EXPECT_EQ(outcome.typed, c.refusal.isEmpty() ? QString() : c.typed);
        }
        EXPECT_EQ(outcome.refusal.section('\n', 0, 1), c.refusal);
    }
}

// What the name field's completer offers, as the text it puts into the field.
QStringList completions(QCompleter &completer, const QString &typed) {
    completer.setCompletionPrefix(typed);
    auto *offers = static_cast<QAbstractProxyModel *>(completer.completionModel());
    QStringList paths;
    for (int row = 0; row < offers->rowCount(); ++row)
        paths << completer.pathFromIndex(offers->mapToSource(offers->index(row, 0)));
    return paths;
}

// Paths in the host's terms complete as Windows completes them; the Linux folders outside the drives are
// not offered, though the model knows those that lead to the prefix.
TEST_F(TypedHostPaths, TheCompleterOffersWhatTheDrivesHold) {
    fs::remove(prefix.path() + "/dosdevices/z:");
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(prefix.path() + "/dosdevices/c:"));
    kvl::widgets::offerHostPlaces(dialog);
    dialog.show();
    QCompleter &completer = *dialog.findChild<QLineEdit *>("fileNameEdit")->completer();
    const std::pair<QString, QStringList> offered[] = {
        {"us", {"users"}},
        {"C:\\us", {"C:\\users"}},
        {"c:/USERS/m", {"C:\\users\\me"}},
        {"users\\m", {"C:\\users\\me"}},
        {"users/m", {"C:\\users\\me"}},
        {"users\\..\\us", {"C:\\users"}},
        {"\\users\\me\\d", {"C:\\users\\me\\Desktop"}},
    };
    for (const auto &[typed, paths] : offered)
        EXPECT_TRUE(QTest::qWaitFor([&] { return completions(completer, typed) == paths; }, 10000))
            << typed.toStdString() << ": " << completions(completer, typed).join(' ').toStdString();
    for (const QString typed : {"/", "/tmp/", "D:\\"})
        EXPECT_EQ(completions(completer, typed), QStringList()) << typed.toStdString();
    dialog.reject();
}

TEST_F(TypedHostPaths, RefusalsSpeakTheInterfaceLanguage) {
    kvl::i18n::followInterfaceLanguage("GER");
    EXPECT_TRUE(confirm(QFileDialog::AnyFile, "C:\\nowhere\\x", false).refusal.contains("Verzeichnis"));
    EXPECT_TRUE(confirm(QFileDialog::AnyFile, "Q:\\x", false).refusal.contains("Laufwerk"));
    EXPECT_TRUE(confirm(QFileDialog::AnyFile, "a<b", false).refusal.contains("ungültig"));
    kvl::i18n::followInterfaceLanguage("ENG");
}

} // namespace

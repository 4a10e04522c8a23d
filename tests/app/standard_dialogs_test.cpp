#include "app_fixture.h"

#include "widgets/path_edit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kvl::test {
namespace {

// What a standard dialog says: its buttons, then the captions of its fields, mnemonics removed.
std::string textsOf(QFileDialog &dialog) {
    QStringList texts;
    for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    for (const char *label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        texts << dialog.findChild<QLabel *>(QLatin1String(label))->text().remove(QLatin1Char('&'));
    return texts.join(QStringLiteral(" | ")).toStdString();
}

// The texts of the file dialog that opens next, which is then cancelled.
std::string textsOfNextDialog(const std::function<void()> &open) {
    std::string texts;
    QTimer::singleShot(0, [&texts] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        texts = textsOf(*dialog);
        dialog->reject();
    });
    open();
    return texts;
}

struct DialogCase {
    const char *language;
    const char *folder, *file, *save; // UTF-8
    const char *contextMenu;
};

// The entries of an edit's context menu, as the right mouse button shows it.
std::string contextMenuOf(QLineEdit &edit) {
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    return entries.join(QStringLiteral(" | ")).toStdString();
}

class StandardDialogTest : public AppTest, public ::testing::WithParamInterface<DialogCase> {};

// The path edits' and the export's dialogs, as the program opens them, and an edit's context menu (not the
// system's own, which on Linux is the toolkit's): in German, every button and caption.
TEST_P(StandardDialogTest, SpeakTheInterfaceLanguage) {
    const DialogCase &c = GetParam();
    addCompleteHost();
    writeSettings(std::string("[User]\r\nShowStart=0\r\nLanguage=") + c.language + "\r\n");
    TPathEdit::setDialogRunner({});
    start();
    form().show();
    const auto browse = [this](const char *edit) {
        return textsOfNextDialog([this, edit] { control<TPathEdit>(edit)->browse(); });
    };
    EXPECT_EQ(browse("EPathAnl17"), c.folder);
    EXPECT_EQ(browse("EAnl17"), c.file);
    EXPECT_EQ(textsOfNextDialog([this] { click("BSave17"); }), c.save);
    EXPECT_EQ(contextMenuOf(*control<QLineEdit>("EMaxObj17")), c.contextMenu);
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, StandardDialogTest,
    ::testing::Values(
        DialogCase{
            "GER", "Öffnen | Abbrechen | Suchen in: | Verzeichnis: | Dateien des Typs:",
            "Öffnen | Abbrechen | Suchen in: | Dateiname: | Dateien des Typs:",
            "Speichern | Abbrechen | Suchen in: | Dateiname: | Dateien des Typs:",
            "Rückgängig | Wiederherstellen | Ausschneiden | Kopieren | Einfügen | Löschen | Alles auswählen"},
        DialogCase{"ENG", "Choose | Cancel | Look in: | Directory: | Files of type:",
                   "Open | Cancel | Look in: | File name: | Files of type:",
                   "Save | Cancel | Look in: | File name: | Files of type:",
                   "Undo | Redo | Cut | Copy | Paste | Delete | Select All"}),
    [](const auto &param) { return std::string(param.param.language); });

} // namespace
} // namespace kvl::test

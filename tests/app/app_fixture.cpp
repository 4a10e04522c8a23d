#include "app_fixture.h"

#include "app/program_state.h"
#include "app/windows.h"
#include "i18n/toolkit_translation.h"
#include "widgets/message_box.h"
#include "widgets/round_button.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::test {

std::vector<std::string> completeUserValues() {
    return {"\"ANLPath\"=\"C:\\\\Layouts\"",
            "\"AutoSaveDLG\"=dword:00000000",
            "\"AviPath\"=\"D:\\\\Media\"",
            "\"CtrlWindow\"=dword:00000001",
            "\"HideOldMdl\"=dword:00000001",
            "\"LastANL\"=\"C:\\\\Layouts\\\\Demo.anl3\"",
            "\"LuaExtEd\"=\"C:\\\\Tools\\\\edit.exe\"",
            "\"MaxObj\"=dword:000005dc"};
}

void AppTest::SetUp() {
    programFolder_ = prefix.path() + "/program/";
    fs::create_directories(programFolder_);
    kvl::widgets::setErrorBoxDisplay(
        [this](QWidget *, const QString &, const QString &text) { errors << text; });
}

void AppTest::TearDown() {
    kvl::app::destroyWindows();
    kvl::app::state().prefix = {}; // a test that opened a prefix leaves none for the next
    kvl::app::state().noPrefixFound = false;
    kvl::widgets::setErrorBoxDisplay({});
    kvl::i18n::followInterfaceLanguage("ENG"); // the toolkit's texts of a German test go with it
}

void AppTest::addInstallKey(const std::vector<std::string> &values) {
    prefix.addSystemKey(kHostKeyWine, values);
}

void AppTest::addCompleteHost(const std::string &defaultSetting) {
    addInstallKey();
    prefix.addUserKey(kHostKeyWine, completeUserValues());
    addFilterFile(defaultSetting);
}

std::string AppTest::filterFileIn(const TempPrefix &where) {
    return where.driveC() + "/Program Files/Varnel/KVL 17/Resourcen/Categories/Filters/deprecated_models.inf";
}

void AppTest::addFilterFileIn(const TempPrefix &where, const std::string &defaultSetting) {
    fs::create_directories(fs::path(filterFileIn(where)).parent_path());
    TempPrefix::writeFile(filterFileIn(where),
                          "[deprecated_models_001]\r\nDefaultSetting=" + defaultSetting + "\r\n");
}

void AppTest::writeSettings(const std::string &content) { TempPrefix::writeFile(settingsPath(), content); }

void AppTest::start() { kvl::app::createWindows(ProgramLocations::of(programFolder_, programFolder_)); }

TForm1 &AppTest::form() const { return *Form1; }

QString AppTest::text(const char *name) const {
    QWidget *widget = control(name);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return group->title();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    return {};
}

void AppTest::click(const char *name) const { control<QAbstractButton>(name)->click(); }

void AppTest::apply() {
    const std::string machineHive = TempPrefix::readFile(prefix.systemReg());
    click("BApply17");
    EXPECT_EQ(TempPrefix::readFile(prefix.systemReg()), machineHive);
}

void AppTest::whenShown(QDialog *dialog, std::function<void()> action) {
    QTimer::singleShot(0, dialog, [dialog, action] {
        if (dialog->isVisible())
            action();
        dialog->close(); // never leave a test hanging in a modal loop
    });
}

} // namespace kvl::test

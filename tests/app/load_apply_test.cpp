#include "app_fixture.h"

#include "app/program_state.h"
#include "widgets/save_file_dialog.h"

#include <QCheckBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace kvl::test {
namespace {

using LoadApplyTest = AppTest;

bool contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

TEST_F(LoadApplyTest, CompleteHostSettingsFillThePage) {
    addCompleteHost("0");
    start();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(text("EPath17"), "C:\\Program Files\\Varnel\\KVL 17");
    EXPECT_EQ(text("ELang17"), "English");
    EXPECT_EQ(text("EPathAnl17"), "C:\\Layouts");
    EXPECT_EQ(text("EAnl17"), "C:\\Layouts\\Demo.anl3");
    EXPECT_EQ(text("EMediaAnl17"), "D:\\Media");
    EXPECT_EQ(text("ELuaAnl17"), "C:\\Tools\\edit.exe");
    EXPECT_EQ(text("EMaxObj17"), "1500");
    EXPECT_TRUE(control<QCheckBox>("CBDock17")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CBAutosave17")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CBDepreciated17")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CBShowAlwaysDepreciated17")->isChecked());
    EXPECT_TRUE(form().settingsPageSelected());
    EXPECT_FALSE(kvl::app::state().firstLoad);
}

TEST_F(LoadApplyTest, FailuresAtStartUpAreReportedAndTheWindowStillOpens) {
    struct Case {
        const char *name;
        std::vector<std::string> installValues;
        std::vector<std::string> userValues;
        QString error;
        bool tabVisible;
        bool pageSelected;
        bool firstLoadStillSet;
        bool dockChecked;
    };
    std::vector<std::string> withoutHideOldMdl = completeUserValues();
    std::erase(withoutHideOldMdl, "\"HideOldMdl\"=dword:00000001");
    const Case cases[] = {
        {"Directory as REG_DWORD",
         {"\"Directory\"=dword:00000001"},
         completeUserValues(),
         "Invalid data type for 'Directory'",
         true,
         false,
         true,
         false},
        {"HideOldMdl missing",
         {std::string("\"Directory\"=\"") + kInstallDir + "\""},
         withoutHideOldMdl,
         "Failed to get data for 'HideOldMdl'",
         true,
         true,
         false,
         true},
    };
    for (const Case &c : cases) {
        TempPrefix own;
        own.addSystemKey(kHostKeyWine, c.installValues);
        own.addUserKey(kHostKeyWine, c.userValues);
        errors.clear();
        start();
        form().show();
        EXPECT_EQ(errors, QStringList{c.error}) << c.name;
        EXPECT_EQ(control<QTabWidget>("PGVersie")->isTabVisible(0), c.tabVisible) << c.name;
        EXPECT_EQ(form().settingsPageSelected(), c.pageSelected) << c.name;
        EXPECT_EQ(kvl::app::state().firstLoad, c.firstLoadStillSet) << c.name;
        EXPECT_EQ(control<QCheckBox>("CBDock17")->isChecked(), c.dockChecked) << c.name;
        EXPECT_EQ(text("EAnl17"), "") << c.name; // the strings come after the failing value
        EXPECT_TRUE(form().isVisible()) << c.name;
        kvl::app::destroyWindows();
    }
}

// The four-character limit is for typing only: a loaded value keeps all its digits and Apply stores
// exactly what the page shows.
TEST_F(LoadApplyTest, LoadedMaxObjKeepsAllItsDigitsThroughApply) {
    struct Case {
        const char *stored;
        const char *shown;
    };
    const Case cases[] = {
        {"000003e8", "1000"},
        {"00002710", "10000"},
        {"00010000", "4096"},
        {"ffffffff", "65535"},
    };
    for (const Case &c : cases) {
        TempPrefix own;
        own.addSystemKey(kHostKeyWine, {std::string("\"Directory\"=\"") + kInstallDir + "\""});
        std::vector<std::string> user = completeUserValues();
        std::erase(user, "\"MaxObj\"=dword:000005dc");
        user.push_back(std::string("\"MaxObj\"=dword:") + c.stored);
        own.addUserKey(kHostKeyWine, user);
        errors.clear();
        start();
        EXPECT_EQ(text("EMaxObj17").toStdString(), c.shown) << c.stored;
        click("BApply17");
        EXPECT_EQ(form().maxObjText(), c.shown) << c.stored;
        const std::string expected =
            QString::asprintf("\"MaxObj\"=dword:%08x", QString(c.shown).toUInt()).toStdString();
        EXPECT_TRUE(contains(TempPrefix::readFile(own.userReg()), expected)) << expected;
        kvl::app::destroyWindows();
    }
}

TEST_F(LoadApplyTest, SelectingTheShownTabLoadsAgain) {
    addInstallKey({"\"Directory\"=dword:00000001"});
    start();
    form().show();
    ASSERT_FALSE(form().settingsPageSelected());
    auto *tabs = control<QTabWidget>("PGVersie");
    const QPoint tab = tabs->tabBar()->tabRect(0).center();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tab);
    EXPECT_TRUE(form().settingsPageSelected());
    EXPECT_EQ(errors,
              QStringList({"Invalid data type for 'Directory'", "Invalid data type for 'Directory'"}));
}

TEST_F(LoadApplyTest, WithoutUserKeyThePageKeepsItsDesignStateAndApplyWritesOnlyTheFilter) {
    addInstallKey();
    addFilterFile("1");
    start();
    EXPECT_EQ(text("EPath17"), "C:\\Program Files\\Varnel\\KVL 17");
    EXPECT_EQ(text("ELang17"), "");
    EXPECT_EQ(text("EMaxObj17"), "1000");
    EXPECT_EQ(text("EAnl17"), "");
    const std::string userHive = TempPrefix::readFile(prefix.userReg());
    control<QCheckBox>("CBShowAlwaysDepreciated17")->setChecked(true);
    control<QCheckBox>("CBAnl17")->setChecked(true);
    apply();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(TempPrefix::readFile(prefix.userReg()), userHive);
    EXPECT_TRUE(contains(TempPrefix::readFile(filterFile()), "DefaultSetting=0"));
    EXPECT_FALSE(control<QCheckBox>("CBAnl17")->isChecked());
}

TEST_F(LoadApplyTest, ApplyStopsAtTheFirstFailure) {
    struct Case {
        const char *name;
        const char *maxObjText;
        bool filterFolder;
        const char *errorStart;
        const char *errorEnd;
        bool maxObjWritten;
    };
    const Case cases[] = {
        {"rejected MaxObj text", "12a", true, "'12a' is not a valid integer value.", "", false},
        {"missing filter folder", "2000", false, "Unable to write to ", "deprecated_models.inf.", true},
    };
    for (const Case &c : cases) {
        TempPrefix own;
        own.addSystemKey(kHostKeyWine, {std::string("\"Directory\"=\"") + kInstallDir + "\""});
        own.addUserKey(kHostKeyWine, completeUserValues());
        if (c.filterFolder)
            addFilterFileIn(own, "1");
        errors.clear();
        start();
        control<QCheckBox>("CBDock17")->setChecked(false);
        form().setMaxObjText(c.maxObjText);
        const std::string machineHive = TempPrefix::readFile(own.systemReg());
        click("BApply17");
        EXPECT_EQ(TempPrefix::readFile(own.systemReg()), machineHive) << c.name;
        ASSERT_EQ(errors.size(), 1) << c.name;
        EXPECT_TRUE(errors.front().startsWith(c.errorStart)) << errors.front().toStdString();
        EXPECT_TRUE(errors.front().endsWith(c.errorEnd)) << errors.front().toStdString();
        const std::string userHive = TempPrefix::readFile(own.userReg());
        EXPECT_TRUE(contains(userHive, "\"CtrlWindow\"=dword:00000000")) << c.name;
        EXPECT_EQ(contains(userHive, "\"MaxObj\"=dword:000007d0"), c.maxObjWritten) << c.name;
        kvl::app::destroyWindows();
    }
}

// A hive that is there but broken is named, in the interface language, at start-up and by Apply.
TEST_F(LoadApplyTest, ABrokenHiveIsNamedInTheInterfaceLanguage) {
    addInstallKey();
    addFilterFile("1");
    TempPrefix::writeFile(prefix.userReg(), "WINE REGISTRY Version 2\n[cut short");
    const QString hive = QString::fromStdString(prefix.userReg());
    struct Case {
        const char *language;
        QString message;
    };
    for (const Case &c : {Case{"ENG", "The registry file " + hive + " is damaged or cannot be read."},
                          Case{"GER", "Die Registry-Datei " + hive +
                                          " ist besch\u00e4digt oder kann nicht gelesen werden."}}) {
        writeSettings(std::string("[User]\r\nLanguage=") + c.language + "\r\n");
        errors.clear();
        start();
        control<QCheckBox>("CBShowAlwaysDepreciated17")->click();
        click("BApply17");
        EXPECT_EQ(errors, QStringList({c.message, c.message}));
        EXPECT_TRUE(contains(TempPrefix::readFile(filterFile()), "DefaultSetting=1"))
            << "Apply stopped before it";
        kvl::app::destroyWindows();
    }
}

// After a load that stopped at an error, Apply keeps what the page never showed and stores what the
// user changed, however the change was made.
TEST_F(LoadApplyTest, ApplyAfterAnIncompleteLoadStoresOnlyWhatWasLoadedOrChanged) {
    addInstallKey();
    std::vector<std::string> user = completeUserValues();
    std::erase(user, "\"AutoSaveDLG\"=dword:00000000");
    std::erase(user, "\"HideOldMdl\"=dword:00000001");
    user.push_back("\"AutoSaveDLG\"=\"1\"");
    user.push_back("\"HideOldMdl\"=dword:00000000");
    prefix.addUserKey(kHostKeyWine, user);
    addFilterFile("0");
    start();
    ASSERT_EQ(errors, QStringList{"Invalid data type for 'AutoSaveDLG'"});
    control<QCheckBox>("CBDepreciated17")->click();
    QTest::mouseClick(control<QCheckBox>("CBLuaAnl17"), Qt::LeftButton);
    apply();
    const std::string hive = TempPrefix::readFile(prefix.userReg());
    EXPECT_TRUE(contains(hive, "\"CtrlWindow\"=dword:00000001")) << "loaded";
    EXPECT_TRUE(contains(hive, "\"HideOldMdl\"=dword:00000001")) << "changed by the user";
    EXPECT_TRUE(contains(hive, "\"LuaExtEd\"=\"\"")) << "reset by the user";
    for (const char *kept :
         {"\"AutoSaveDLG\"=\"1\"", "\"LastANL\"=\"C:\\\\Layouts\\\\Demo.anl3\"",
          "\"ANLPath\"=\"C:\\\\Layouts\"", "\"AviPath\"=\"D:\\\\Media\"", "\"MaxObj\"=dword:000005dc"})
        EXPECT_TRUE(contains(hive, kept)) << kept;
    EXPECT_TRUE(contains(TempPrefix::readFile(filterFile()), "DefaultSetting=0"));
}

TEST_F(LoadApplyTest, ExportWritesThePageToTheChosenFile) {
    addInstallKey();
    prefix.addUserKey(kHostKeyWine, completeUserValues());
    writeSettings("[User]\r\nLastSaveDir=\"C:\\Exports\"\r\n");
    start();
    struct Case {
        const char *name;
        std::optional<QString> chosen;
        bool written;
    };
    const std::string target = prefix.path() + "/out.reg";
    for (const Case &c :
         {Case{"cancel", std::nullopt, false}, Case{"confirm", QString::fromStdString(target), true}}) {
        QString askedName;
        TSaveFileDialog::setRunner([&](QWidget *, const QString &, const QString &name) {
            askedName = name;
            return c.chosen;
        });
        form().DlgSave.fileName = "typed-before.reg";
        click("BSave17");
        EXPECT_EQ(askedName, "KVL17.reg") << c.name;
        EXPECT_EQ(std::filesystem::exists(target), c.written) << c.name;
    }
    TSaveFileDialog::setRunner({});
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(contains(TempPrefix::readFile(target), "\"LastANL\"=\"C:\\\\Layouts\\\\Demo.anl3\""));
}

} // namespace
} // namespace kvl::test

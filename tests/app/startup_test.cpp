#include "app_fixture.h"

#include "app/program_state.h"
#include "widgets/round_button.h"
#include "widgets/toggle_switch.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::test {
namespace {

using StartupTest = AppTest;

TEST_F(StartupTest, AStartAfterDestroyedWindowsBeginsWithAFreshState) {
    start();
    kvl::app::state().exitConfirmed = true;
    kvl::app::state().firstLoad = true;
    kvl::app::state().hostLanguageCode = "GER";
    kvl::app::state().preferences.showStart = 0;
    kvl::app::destroyWindows();
    const kvl::app::ProgramState &fresh = kvl::app::state();
    EXPECT_FALSE(fresh.exitConfirmed);
    EXPECT_FALSE(fresh.firstLoad);
    EXPECT_TRUE(fresh.hostLanguageCode.empty());
    EXPECT_EQ(fresh.preferences.showStart, kvl::prefs::EditorPreferences{}.showStart);
}

TEST_F(StartupTest, WithoutSettingsFileUsesTheDefaults) {
    start();
    EXPECT_TRUE(errors.isEmpty());
    const auto &prefs = kvl::app::state().preferences;
    EXPECT_EQ(prefs.language, "ENG");
    EXPECT_EQ(prefs.showStart, 1);
    EXPECT_EQ(prefs.closeConfirmOn, 1);
    EXPECT_EQ(form().ThemeEngine.skinTitle(), "Windows 10");
    EXPECT_EQ(text("GB217"), " Registry settings ");
    EXPECT_EQ(text("CBDepreciated17"), "Hide depriciated models");
    EXPECT_TRUE(control("GBStart")->isVisibleTo(&form()));
    EXPECT_TRUE(control<TToggleSwitch>("CBWarning")->switchOn());
    for (const char *name : {"BSettings", "BAbout", "BManual", "BClose", "BApply17", "BReload17", "BSave17"})
        EXPECT_TRUE(control<TRoundButton>(name)->showHint()) << name;
    EXPECT_FALSE(control<TRoundButton>("Bok")->showHint());
    EXPECT_FALSE(control("BManual")->isVisibleTo(&form()));
    EXPECT_TRUE(QRegularExpression("^[1-9][0-9]* x [1-9][0-9]*$").match(text("LResolution")).hasMatch());
    EXPECT_EQ(control("LResolution")->geometry().right() + 1, 125);
}

// A FIFO in place of settings.ini and of the hives would block an ordinary open for ever: the program
// starts all the same, with the defaults, and names the hive it cannot read.
TEST_F(StartupTest, FifosInPlaceOfItsFilesDoNotHoldUpTheStart) {
    for (const std::string &path : {settingsPath(), prefix.systemReg()}) {
        std::filesystem::remove(path);
        ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0) << path;
    }
    ::alarm(60);
    start();
    ::alarm(0);
    EXPECT_EQ(kvl::app::state().preferences.language, "ENG");
    EXPECT_EQ(errors, QStringList{"The registry file " + QString::fromStdString(prefix.systemReg()) +
                                  " is damaged or cannot be read."});
}

TEST_F(StartupTest, HostInstallationDecidesWhetherThePageShows) {
    struct Case {
        const char *name;
        bool installKey;
        bool pageSelected;
    };
    for (const Case &c : {Case{"no install key", false, false}, Case{"install key", true, true}}) {
        TempPrefix own;
        if (c.installKey)
            own.addSystemKey(kHostKeyWine, {std::string("\"Directory\"=\"") + kInstallDir + "\""});
        start();
        EXPECT_EQ(form().settingsPageSelected(), c.pageSelected) << c.name;
        EXPECT_EQ(control<QTabWidget>("PGVersie")->isTabVisible(0), c.installKey) << c.name;
        EXPECT_TRUE(errors.isEmpty()) << c.name;
        kvl::app::destroyWindows();
    }
}

TEST_F(StartupTest, StoredPreferencesAreNormalised) {
    struct Case {
        const char *settings;
        bool panelShown;
        int showStart;
        int skin;
        const char *theme;
    };
    const Case cases[] = {
        {"[User]\r\nShowStart=0\r\n", false, 0, 0, "Windows 10"},
        {"[User]\r\nShowStart=2\r\nSelectedWinVersion=1\r\n", false, 0, 1, "Windows 11"},
        {"[User]\r\nShowStart=0x1\r\nSelectedWinVersion=7\r\n", true, 1, 0, "Windows 10"},
        {"[User]\r\nShowStart=yes\r\nSelectedWinVersion=-1\r\n", true, 1, 0, "Windows 10"},
    };
    for (const Case &c : cases) {
        writeSettings(c.settings);
        start();
        const auto &prefs = kvl::app::state().preferences;
        EXPECT_EQ(control("GBStart")->isVisibleTo(&form()), c.panelShown) << c.settings;
        EXPECT_EQ(control<TToggleSwitch>("CBWarning")->switchOn(), c.panelShown) << c.settings;
        EXPECT_EQ(prefs.showStart, c.showStart) << c.settings;
        EXPECT_EQ(prefs.skinIndex, c.skin) << c.settings;
        EXPECT_EQ(form().ThemeEngine.skinTitle(), c.theme) << c.settings;
        kvl::app::destroyWindows();
    }
}

TEST_F(StartupTest, ManualButtonFollowsLanguageAndDocument) {
    struct Case {
        const char *language;
        const char *document;
        bool visible;
    };
    const Case cases[] = {
        {"ENG", "KVL-17+ Settings editor_ENG.pdf", true},
        {"GER", "KVL-17+ Settings editor_GER.pdf", true},
        {"ENG", "KVL-17+ Settings editor_GER.pdf", false},
        {"eng", "KVL-17+ Settings editor_ENG.pdf", false},
    };
    for (const Case &c : cases) {
        TempPrefix::writeFile(programFolder() + c.document, "%PDF");
        writeSettings(std::string("[User]\r\nLanguage=") + c.language + "\r\n");
        start();
        EXPECT_EQ(control("BManual")->isVisibleTo(&form()), c.visible) << c.language << " " << c.document;
        kvl::app::destroyWindows();
        std::filesystem::remove(programFolder() + c.document);
    }
}

TEST_F(StartupTest, UnknownLanguageKeepsDesignTimeTexts) {
    writeSettings("[User]\r\nLanguage=eng\r\n");
    start();
    EXPECT_EQ(text("GB217"), "Settings");
    EXPECT_EQ(text("CBDepreciated17"), "Hide depreciated models");
    EXPECT_EQ(text("LCBWarning"), "Show a warning message at program start");
}

TEST_F(StartupTest, BokHidesThePanelAndTheSwitchOnlyChangesShowStart) {
    start();
    click("Bok");
    EXPECT_FALSE(control("GBStart")->isVisibleTo(&form()));
    EXPECT_EQ(kvl::app::state().preferences.showStart, 1);
    control<TToggleSwitch>("CBWarning")->setSwitchOn(false);
    EXPECT_EQ(kvl::app::state().preferences.showStart, 0);
}

TEST_F(StartupTest, StartPanelLetsNothingOfThePageBeSeenClickedOrReached) {
    addInstallKey();
    prefix.addUserKey(kHostKeyWine, completeUserValues());
    start();
    form().show();
    ASSERT_TRUE(form().settingsPageSelected());
    ASSERT_TRUE(control("GBStart")->isVisible());
    // The controls of the settings page that take the focus or a click.
    QList<QWidget *> page;
    for (QWidget *widget : control("TS17")->findChildren<QWidget *>())
        if (widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(widget))
            page << widget;
    ASSERT_FALSE(page.isEmpty());
    const QRect panel = control("GBStart")->geometry();
    for (QWidget *widget : page) {
        const QString name = widget->objectName();
        EXPECT_FALSE(widget->isVisible()) << name.toStdString();
        // Below the panel, where the page's lowest buttons would stick out.
        const QRect onForm(widget->mapTo(&form(), QPoint(0, 0)), widget->size());
        for (int y = panel.bottom() + 1; y <= onForm.bottom(); ++y) {
            QWidget *hit = form().childAt(onForm.center().x(), y);
            EXPECT_TRUE(!hit || !page.contains(hit)) << name.toStdString() << " at y " << y;
        }
    }
    // The focus chain, walked from the panel's button as Tab would, meets no control of the page.
    QWidget *focus = control("Bok");
    for (int step = 0; step < 100; ++step) {
        focus = focus->nextInFocusChain();
        if (focus->isVisible() && focus->isEnabled() && (focus->focusPolicy() & Qt::TabFocus)) {
            EXPECT_FALSE(page.contains(focus)) << focus->objectName().toStdString();
        }
    }

    click("Bok");
    EXPECT_FALSE(control("GBStart")->isVisible());
    for (const char *name : {"CBPathAnl17", "BApply17", "EPathAnl17", "EMaxObj17"})
        EXPECT_TRUE(control(name)->isVisible()) << name;
}

} // namespace
} // namespace kvl::test

#include "app_fixture.h"

#include "app/command_line.h"
#include "app/prefix_start.h"
#include "app/program_state.h"
#include "platform/system.h"
#include "platform/prefixes.h"
#include "prefs/prefix_choice.h"
#include "support/scoped_variable.h"
#include "widgets/round_button.h"
#include "widgets/themed_status_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::test {
namespace {

using kvl::app::StartPrefix;
using kvl::platform::FoundPrefix;

FoundPrefix found(const char *path, bool holdsHost) { return {"Wine", path, path, holdsHost, {}}; }

TEST(StartPrefixTest, NamedWinsThenOneHolderThenTheRememberedThenTheChooser) {
    struct Case {
        const char *what;
        std::optional<std::string> named;
        std::vector<FoundPrefix> found;
        kvl::prefs::PrefixChoice last;
        StartPrefix::Kind kind;
        std::string opened;               // Named and Open
        std::vector<std::string> choices; // in the chooser's order
    };
    const auto a = found("/a", true), b = found("/b", false), c = found("/c", true), d = found("/d", true);
    const Case cases[] = {
        {"named", "/n", {a, c}, {"/c", true}, StartPrefix::Kind::Named, "/n", {}},
        {"none found", {}, {}, {}, StartPrefix::Kind::NoneFound, "", {}},
        {"none holds the host", {}, {b}, {}, StartPrefix::Kind::NoneFound, "", {"/b"}},
        {"one holds it", {}, {b, c}, {"/b", true}, StartPrefix::Kind::Open, "/c", {"/b", "/c"}},
        {"several", {}, {b, a, c}, {}, StartPrefix::Kind::Choose, "", {"/a", "/c", "/b"}},
        {"several, the last first",
         {},
         {a, c, d},
         {"/d", false},
         StartPrefix::Kind::Choose,
         "",
         {"/d", "/a", "/c"}},
        {"several, remembered",
         {},
         {a, c, d},
         {"/c", true},
         StartPrefix::Kind::Open,
         "/c",
         {"/c", "/a", "/d"}},
        {"remembered one is gone", {}, {a, c}, {"/x", true}, StartPrefix::Kind::Choose, "", {"/a", "/c"}},
        {"remembered one lost the host",
         {},
         {a, b, c},
         {"/b", true},
         StartPrefix::Kind::Choose,
         "",
         {"/b", "/a", "/c"}},
    };
    for (const Case &t : cases) {
        const StartPrefix start = kvl::app::decideStartPrefix(t.named, t.found, t.last);
        EXPECT_EQ(start.kind, t.kind) << t.what;
        EXPECT_EQ(start.prefix.path, t.opened) << t.what;
        std::vector<std::string> choices;
        for (const auto &prefix : start.choices)
            choices.push_back(prefix.path);
        if (t.kind != StartPrefix::Kind::Named) {
            EXPECT_EQ(choices, t.choices) << t.what;
        }
    }
}

TEST(CommandLineTest, AnswersAtOnceOrNamesThePrefix) {
    struct Case {
        QStringList arguments;
        std::string language;
        std::optional<int> exitCode;
        const char *printed; // the start of the standard output
    };
    const Case cases[] = {
        {{"--version"}, "ENG", 0, "KVL-17+ Settings Editor 2.03\n"},
        {{"--help"}, "GER", 0, "Aufruf: "},
        {{"--list-prefixes"}, "ENG", 0, "No Wine prefix found. The editor looked in:\n  ~/.wine  (Wine)\n"},
        {{"--list-prefixes"}, "GER", 0, "Kein Wine-Präfix gefunden."},
        {{"--nonsense"}, "ENG", 2, ""},
        {{"stray"}, "ENG", 2, ""},
        {{"--prefix", "/x/../y"}, "ENG", std::nullopt, ""},
        {{}, "ENG", std::nullopt, ""},
    };
    for (const Case &c : cases) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const auto command = kvl::app::readCommandLine(QStringList{"kvl-settings-editor"} + c.arguments,
                                                       c.language, "/nonexistent-home");
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(command.exitCode, c.exitCode) << what;
        EXPECT_TRUE(out.starts_with(c.printed)) << what << ": " << out;
        EXPECT_EQ(err.empty(), c.exitCode != 2) << what << ": " << err;
    }
    EXPECT_EQ(kvl::app::readCommandLine({"p", "--prefix", "/x/../y"}, "ENG", "/").prefix, "/y");
}

// Answers the modal window of that name once it shows (polling, since one modal may follow another).
void whenModal(const char *name, std::function<void(QWidget *)> action, int triesLeft = 500) {
    QTimer::singleShot(10, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == QLatin1String(name))
            action(modal);
        else if (triesLeft > 0)
            whenModal(name, action, triesLeft - 1);
    });
}

void openInChooser(int row, bool remember) {
    whenModal("PrefixChooser", [=](QWidget *chooser) {
        auto *list = chooser->findChild<QTreeWidget *>("LVPrefixes");
        list->setCurrentItem(list->topLevelItem(row));
        chooser->findChild<QCheckBox *>("CBRemember")->setChecked(remember);
        chooser->findChild<TRoundButton *>("BOpen")->click();
    });
}

class PrefixSwitchTest : public AppTest {
protected:
    QString note() const { return control<TThemedStatusBar>("SBar")->panelText(0); }
    std::string directory() const { return text("EPath17").toStdString(); }
};

TEST_F(PrefixSwitchTest, TheChosenPrefixIsLoadedAsAtStartAndUnsavedChangesAskFirst) {
    addCompleteHost();
    TempPrefix other; // made second: WINEPREFIX now names it, as a start would
    other.addSystemKey(kHostKeyWine, {"\"Directory\"=\"D:\\\\Other KVL\""});
    TempPrefix empty;
    kvl::platform::usePrefix(prefix.path());
    kvl::app::state().prefix = {"Bottles", "First", prefix.path(), true, {}};
    writeSettings("[User]\r\nShowStart=0\r\n");
    start();
    EXPECT_EQ(note(), "Wine prefix: First (Bottles)");
    const std::vector<FoundPrefix> choices{{"Steam", "Steam app 7", other.path(), true, "D:\\Other KVL"},
                                           {"Wine", "empty", empty.path(), false, {}},
                                           {"Bottles", "First", prefix.path(), true, {}}};

    openInChooser(0, true);
    form().offerPrefixes(choices);
    EXPECT_EQ(kvl::platform::winePrefix(), other.path());
    EXPECT_EQ(directory(), "D:\\Other KVL");
    EXPECT_TRUE(form().settingsPageSelected());
    EXPECT_EQ(note(), "Wine prefix: Steam app 7 (Steam)");
    EXPECT_EQ(kvl::prefs::readPrefixChoice(settingsPath()), (kvl::prefs::PrefixChoice{other.path(), true}));

    // A change by the user: No keeps it and the prefix, Yes goes on.
    control<QCheckBox>("CBDock17")->click();
    for (const bool discard : {false, true}) {
        openInChooser(2, false);
        whenModal("DiscardQuestion", [discard](QWidget *box) {
            for (QAbstractButton *button : static_cast<QMessageBox *>(box)->buttons())
                if (button->text() == (discard ? "Yes" : "No"))
                    button->click();
        });
        form().offerPrefixes(choices);
        EXPECT_EQ(kvl::platform::winePrefix(), discard ? prefix.path() : other.path());
    }
    EXPECT_EQ(directory(), "C:\\Program Files\\Varnel\\KVL 17");

    kvl::app::state().preferences.language = "GER";
    openInChooser(1, false);
    form().offerPrefixes(choices);
    EXPECT_FALSE(form().settingsPageSelected());
    EXPECT_EQ(note(), "KVL 17 ist im Wine-Präfix empty (Wine) nicht installiert");
    EXPECT_EQ(kvl::prefs::readPrefixChoice(settingsPath()), (kvl::prefs::PrefixChoice{empty.path(), false}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(PrefixSwitchTest, TheStatusBarsFirstPanelAndCtrlOOpenTheChooserOverThePrefixesFoundNow) {
    const TempPrefix home;
    const ScopedVariable homeVariable("HOME", home.path());
    fs::create_directories(home.path() + "/.local/share/wineprefixes");
    fs::create_directory_symlink(prefix.path(), home.path() + "/.local/share/wineprefixes/kvl");
    start();
    form().show();
    for (const bool byKeyboard : {false, true}) {
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form())); // a shortcut of the window needs it active
        int rows = -1;
        whenModal("PrefixChooser", [&rows](QWidget *chooser) {
            rows = chooser->findChild<QTreeWidget *>("LVPrefixes")->topLevelItemCount();
            chooser->close();
        });
        if (byKeyboard)
            QTest::keyClick(&form(), Qt::Key_O, Qt::ControlModifier);
        else
            QTest::mouseClick(control<TThemedStatusBar>("SBar")->panel(0), Qt::LeftButton);
        EXPECT_EQ(rows, 1) << byKeyboard;
    }
}

} // namespace
} // namespace kvl::test

#include "app_fixture.h"

#include "app/preferences_form.h"
#include "app/program_state.h"
#include "widgets/image_combo_box.h"
#include "widgets/round_button.h"
#include "widgets/toggle_switch.h"

#include <QTest>

namespace kvl::test {
namespace {

void choose(const char *comboBox, int item) { // as the user picks an item
    auto *box = Form3->findChild<TImageComboBox *>(comboBox);
    box->setCurrentIndex(item);
    emit box->activated(item);
}
void flip(const char *toggle) { QTest::mouseClick(Form3->findChild<QWidget *>(toggle), Qt::LeftButton); }
void changeAll() {
    choose("CBLanguage", 1);
    for (const char *toggle : {"CBHints", "CBWarning", "CBExit"})
        flip(toggle);
    choose("CBSkin", 1);
}

// What the user sees while the dialog is open, and what stays once it has closed.
struct Seen {
    std::string language;
    int useHints, showStart, closeConfirmOn, skinIndex, themeLoads;
    QString mainCaption; // GB217
    bool dialogHints, mainHints, panelSwitch;
    bool operator==(const Seen &) const = default;
};

class PreferencesDialogTest : public AppTest {
protected:
    Seen seen(int loadsBefore) const {
        const auto &p = kvl::app::state().preferences;
        // clang-format off
        return {p.language, p.useHints, p.showStart, p.closeConfirmOn, p.skinIndex,
                form().ThemeEngine.loadCount() - loadsBefore, text("GB217"),
                Form3->findChild<TRoundButton *>("BAccept")->showHint(),
                control<TRoundButton>("BSettings")->showHint(), control<TToggleSwitch>("CBWarning")->switchOn()};
        // clang-format on
    }
};

TEST_F(PreferencesDialogTest, LiveChangesAndHowTheDialogEnds) {
    TToggleSwitch::setAnimated(false);
    const QString english = " Registry settings ", german = " Registry-einstellungen ", design = "Settings";
    // clang-format off
    const Seen changedLive{"GER", 0, 0, 1, 0, 0, german, false, true, false};
    const Seen untouched{"ENG", 1, 1, 1, 0, 0, english, true, true, true};
    // The dialog's own buttons keep their hints off until the next opening sets them.
    const Seen discarded{"ENG", 1, 1, 1, 0, 0, english, false, true, true};
    const Seen unknown{"eng", 1, 1, 1, 0, 0, design, true, true, true};
    struct Case {
        const char *name, *settings;
        std::function<void()> act;
        const char *ending; // a button, "Escape" or "close" (by the window system)
        Seen open, closed;
    };
    const Case cases[] = {
        {"all, Accept", "", changeAll, "BAccept", changedLive,
         {"GER", 0, 0, 0, 1, 1, german, false, false, false}},
        {"all, Discard", "", changeAll, "BDiscard", changedLive, discarded},
        {"all, Escape", "", changeAll, "Escape", changedLive, discarded},
        {"all, closed", "", changeAll, "close", changedLive, discarded},
        {"skin there and back", "", [] { choose("CBSkin", 1); choose("CBSkin", 0); }, "BAccept",
         untouched, untouched},
        {"unknown language kept", "[User]\r\nLanguage=eng\r\n", [] {}, "BAccept", unknown, unknown},
        {"unknown language back", "[User]\r\nLanguage=eng\r\n", [] { choose("CBLanguage", 1); }, "BDiscard",
         {"GER", 1, 1, 1, 0, 0, german, true, true, true}, {"eng", 1, 1, 1, 0, 0, german, true, true, true}},
        {"UseHints 2", "[User]\r\nUseHints=2\r\nCloseConfirmOn=2\r\n", [] {}, "BDiscard",
         {"ENG", 0, 1, 2, 0, 0, english, false, true, true}, {"ENG", 0, 1, 2, 0, 0, english, false, false, true}},
    };
    // clang-format on
    for (const Case &c : cases) {
        writeSettings(c.settings);
        start();
        form().show();
        const int loads = form().ThemeEngine.loadCount();
        Seen open;
        whenShown(Form3, [&] {
            c.act();
            open = seen(loads);
            if (c.ending == std::string("Escape"))
                QTest::keyClick(Form3->focusWidget() ? Form3->focusWidget() : Form3, Qt::Key_Escape);
            else if (c.ending == std::string("close"))
                Form3->close();
            else
                Form3->findChild<TRoundButton *>(c.ending)->click();
            EXPECT_FALSE(Form3->isVisible()) << c.name;
        });
        click("BSettings");
        EXPECT_EQ(open, c.open) << c.name;
        EXPECT_EQ(seen(loads), c.closed) << c.name;
        EXPECT_EQ(TempPrefix::readFile(settingsPath()), c.settings) << c.name; // written only at exit
        kvl::app::destroyWindows();
    }
    TToggleSwitch::setAnimated(true);
}

} // namespace
} // namespace kvl::test

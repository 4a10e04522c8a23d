#include "app_fixture.h"

#include "widgets/key_navigator.h"
#include "widgets/path_edit.h"
#include "widgets/round_button.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace kvl::test {
namespace {

// Whether the press of one key reached a control (the modifiers' own presses do not count).
struct KeySpy : QObject {
    explicit KeySpy(int watched) : key(watched) {}
    int key;
    bool reached = false;
    bool eventFilter(QObject *, QEvent *event) override {
        reached |= event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == key;
        return false;
    }
};

class KeyNavigationTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        addCompleteHost();
        writeSettings("[User]\r\nShowStart=0\r\n");
        start();
        form().show();
        QApplication::setActiveWindow(&form());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }
};

TEST_F(KeyNavigationTest, ReturnAndArrowsOnTheSettingsPage) {
    struct Case {
        const char *from;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *to;   // where the focus is afterwards
        bool reachesFrom; // whether the press reached the control it started in
    };
    const Case cases[] = {
        {"CBDock17", Qt::Key_Down, Qt::NoModifier, "CBAutosave17", false},
        {"CBDock17", Qt::Key_Return, Qt::NoModifier, "CBAutosave17", false},
        {"CBDock17", Qt::Key_Return, Qt::ShiftModifier, "CBAutosave17", false},
        {"CBDock17", Qt::Key_Down, Qt::AltModifier, "CBAutosave17", false},
        {"CBAutosave17", Qt::Key_Up, Qt::ControlModifier, "CBDock17", false},
        {"CBPathAnl17", Qt::Key_Up, Qt::NoModifier, "EPathAnl17", false},
        {"CBDepreciated17", Qt::Key_Down, Qt::NoModifier, "EMaxObj17", false},
        {"EMaxObj17", Qt::Key_Down, Qt::NoModifier, "CBShowAlwaysDepreciated17", false},
        {"EMaxObj17", Qt::Key_Return, Qt::NoModifier, "CBShowAlwaysDepreciated17", false},
        {"EMaxObj17", Qt::Key_Up, Qt::NoModifier, "CBDepreciated17", false},
        {"CBShowAlwaysDepreciated17", Qt::Key_Return, Qt::NoModifier, "BReload17", false},
        {"EMaxObj17", Qt::Key_Right, Qt::NoModifier, "EMaxObj17", true},
        {"CBDock17", Qt::Key_Space, Qt::NoModifier, "CBDock17", true},
        {"EPathAnl17", Qt::Key_Down, Qt::NoModifier, "EPathAnl17", true},
        {"EAnl17", Qt::Key_Return, Qt::NoModifier, "EAnl17", true},
        {"EMediaAnl17", Qt::Key_Down, Qt::AltModifier, "EMediaAnl17", true},
    };
    int browsed = 0;
    TPathEdit::setDialogRunner([&](QWidget *, const TPathEdit::BrowseRequest &) {
        ++browsed;
        return std::optional<QString>();
    });
    QSignalSpy reloads(control<TRoundButton>("BReload17"), &TRoundButton::clicked);
    const QString maxObj = text("EMaxObj17");
    for (const Case &c : cases) {
        control(c.from)->setFocus();
        const bool dockChecked = control<QCheckBox>("CBDock17")->isChecked();
        KeySpy spy(c.key);
        control(c.from)->installEventFilter(&spy);
        QTest::keyPress(QApplication::focusWidget(), Qt::Key(c.key), c.modifiers);
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key(c.key), c.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), control(c.to)) << c.from << " " << c.key;
        EXPECT_EQ(spy.reached, c.reachesFrom) << c.from << " " << c.key;
        EXPECT_EQ(control<QCheckBox>("CBDock17")->isChecked(), dockChecked != (c.key == Qt::Key_Space));
    }
    TPathEdit::setDialogRunner({});
    EXPECT_EQ(browsed, 1);                // Alt+Down still browses
    EXPECT_EQ(reloads.count(), 0);        // a Return released over BReload17 pressed elsewhere clicks nothing
    EXPECT_EQ(text("EMaxObj17"), maxObj); // the arrows never stepped the field
    for (auto *spinButton : control("EMaxObj17")->findChildren<QToolButton *>())
        if (spinButton->arrowType() == Qt::UpArrow)
            spinButton->click();
    EXPECT_EQ(text("EMaxObj17").toInt(), maxObj.toInt() + 1); // its spin buttons still step it

    // Switched off, the arrows reach the field and step it.
    form().findChild<TKeyNavigator *>("KeyNavigator1")->setActive(false);
    control("EMaxObj17")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), control("EMaxObj17"));
    EXPECT_EQ(text("EMaxObj17").toInt(), maxObj.toInt() + 2);
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
} // namespace kvl::test

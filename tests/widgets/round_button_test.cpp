#include "widgets/round_button.h"

#include "widgets/balloon_hint.h"
#include "widgets/hint_manager.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Window {
    Window() {
        other = new QLineEdit(&window);
        button = new TRoundButton(&window);
        button->setGeometry(10, 40, 55, 55);
        window.resize(100, 120);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QObject::connect(button, &QAbstractButton::clicked, [this] { ++clicks; });
    }
    QWidget window;
    QLineEdit *other;
    TRoundButton *button;
    int clicks = 0;
};

TEST(RoundButton, OnlyTheCircleBelongsToTheButton) {
    struct Case {
        QPoint pos;
        bool clicks;
    };
    const Case cases[] = {
        {{27, 27}, true},  {{0, 27}, true},  {{27, 54}, true}, {{1, 1}, false}, {{53, 1}, false},
        {{53, 53}, false}, {{1, 53}, false}, {{6, 6}, false},  {{8, 8}, true},
    };
    for (const Case &c : cases) {
        Window w;
        QTest::mouseClick(w.button, Qt::LeftButton, {}, c.pos);
        EXPECT_EQ(w.clicks, c.clicks ? 1 : 0) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(w.button->hasFocus(), c.clicks) << "a press inside takes the focus, outside not";
    }
}

TEST(RoundButton, ReturnAndSpaceClickOnRelease) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        Window w;
        w.button->setFocus();
        QTest::keyPress(w.button, key);
        EXPECT_TRUE(w.button->isDown());
        EXPECT_EQ(w.clicks, 0);
        QTest::keyRelease(w.button, key);
        EXPECT_FALSE(w.button->isDown());
        EXPECT_EQ(w.clicks, 1) << key;
    }
}

TEST(RoundButton, HintShowsOnlyWhileSwitchedOnAndInsideTheCircle) {
    struct Case {
        bool on;
        QPoint at;
        bool shown;
    };
    const Case cases[] = {{false, {27, 27}, false}, {true, {27, 27}, true}, {true, {2, 2}, false}};
    for (const Case &c : cases) {
        THintManager manager;
        Window w;
        w.button->setHint("End program");
        w.button->setShowHint(c.on);
        QHelpEvent help(QEvent::ToolTip, c.at, w.button->mapToGlobal(c.at));
        QApplication::sendEvent(w.button, &help);
        const TBalloonHint *balloon = manager.shownBalloon();
        EXPECT_EQ(balloon != nullptr, c.shown) << c.on << " " << c.at.x();
        if (balloon) {
            EXPECT_EQ(balloon->text(), "End program");
        }
    }
}

// A press outside the circle, and its release, reach the control the button's corner covers.
TEST(RoundButton, PressOutsideTheCircleReachesTheWidgetBeneath) {
    struct Case {
        QPoint at; // in the round button
        bool beneathClicked;
        bool buttonClicked;
    };
    const Case cases[] = {{{2, 2}, true, false}, {{8, 8}, false, true}, {{27, 27}, false, true}};
    for (const Case &c : cases) {
        Window w;
        auto *beneath = new QPushButton(&w.window);
        beneath->setFocusPolicy(Qt::StrongFocus);
        beneath->setGeometry(0, 30, 20, 20); // under the button's top left corner
        beneath->show();
        w.button->raise();
        int beneathClicks = 0;
        QObject::connect(beneath, &QPushButton::clicked, [&] { ++beneathClicks; });
        QTest::mouseClick(w.button, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(beneathClicks, c.beneathClicked ? 1 : 0) << c.at.x();
        EXPECT_EQ(w.clicks, c.buttonClicked ? 1 : 0) << c.at.x();
        EXPECT_EQ(beneath->hasFocus(), c.beneathClicked) << "the press gives the focus where it lands";
    }
}

TEST(RoundButton, DragFromOutsideTheCircleStaysWithTheWidgetBeneath) {
    Window w;
    auto *beneath = new QCheckBox(&w.window);
    beneath->setGeometry(0, 30, 20, 20);
    beneath->show();
    w.button->raise();
    QTest::mousePress(w.button, Qt::LeftButton, {}, {2, 2});
    EXPECT_TRUE(beneath->isDown());
    QTest::mouseMove(w.button, {27, 27}); // into the circle, still the check box's press
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, {27, 27});
    EXPECT_FALSE(beneath->isChecked()) << "released away from the check box";
    EXPECT_EQ(w.clicks, 0);
}

TEST(RoundButton, DrawsEveryLook) {
    struct Case {
        const char *look;
        std::function<void(TRoundButton &)> set;
    };
    const Case cases[] = {
        {"normal", [](TRoundButton &) {}},
        {"pressed", [](TRoundButton &b) { b.setDown(true); }},
        {"disabled", [](TRoundButton &b) { b.setEnabled(false); }},
        {"focused", [](TRoundButton &b) { b.setFocus(); }},
        {"no image", [](TRoundButton &b) { b.setImageIndex(-1); }},
        {"caption", [](TRoundButton &b) { b.setText("OK"); }},
    };
    for (const Case &c : cases) {
        Window w;
        w.button->setImageIndex(4);
        c.set(*w.button);
        const QImage image = w.button->grab().toImage();
        EXPECT_EQ(image.size(), QSize(55, 55) * image.devicePixelRatio()) << c.look;
    }
}

} // namespace

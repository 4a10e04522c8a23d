#include "widgets/round_button.h"

#include <QLineEdit>
#include <QTest>
#include <QToolTip>
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
        QTest::qWaitForWindowActive(&window);
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

TEST(RoundButton, HintShowsOnlyWhileSwitchedOn) {
    for (bool on : {false, true}) {
        Window w;
        w.button->setHint("End program");
        w.button->setShowHint(on);
        const QPoint centre(27, 27);
        QHelpEvent help(QEvent::ToolTip, centre, w.button->mapToGlobal(centre));
        QApplication::sendEvent(w.button, &help);
        EXPECT_EQ(QToolTip::isVisible(), on);
        if (on)
            EXPECT_TRUE(QToolTip::text().contains("End program"));
        QToolTip::hideText();
    }
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

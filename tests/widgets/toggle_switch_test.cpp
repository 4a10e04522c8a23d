#include "widgets/toggle_switch.h"

#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Records what a handler bound to both signals would see, as "click:<state>" / "change:<state>".
struct SwitchLog {
    explicit SwitchLog(TToggleSwitch &s) {
        QObject::connect(&s, &TToggleSwitch::clicked,
                         [this, &s] { events.push_back(event("click", s.switchOn())); });
        QObject::connect(&s, &TToggleSwitch::switchChanged,
                         [this](bool on) { events.push_back(event("change", on)); });
    }
    static std::string event(const char *what, bool on) { return std::string(what) + (on ? ":on" : ":off"); }
    std::vector<std::string> events;
};

void sendMouse(TToggleSwitch &s, QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, pos, s.mapToGlobal(pos), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&s, &e);
}

TEST(ToggleSwitch, CodeSetsFireOnlyOnRealChange) {
    struct Case {
        bool start;
        bool set;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {true, true, {}},
        {true, false, {"change:off"}},
        {false, false, {}},
        {false, true, {"change:on"}},
    };
    for (const Case &c : cases) {
        TToggleSwitch s;
        s.setSwitchOn(c.start);
        SwitchLog log(s);
        s.setSwitchOn(c.set);
        EXPECT_EQ(log.events, c.expected) << c.start << "->" << c.set;
        EXPECT_EQ(s.switchOn(), c.set);
    }
}

TEST(ToggleSwitch, ClickReportsOldStateThenChanges) {
    for (bool animated : {false, true}) {
        TToggleSwitch::setAnimated(animated);
        TToggleSwitch s;
        s.show();
        SwitchLog log(s);
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(10, 8));
        EXPECT_EQ(log.events, (std::vector<std::string>{"click:on", "change:off"})) << animated;
        EXPECT_FALSE(s.switchOn());
    }
    TToggleSwitch::setAnimated(true);
}

TEST(ToggleSwitch, DoubleClickTogglesTwice) {
    TToggleSwitch::setAnimated(false);
    TToggleSwitch s;
    SwitchLog log(s);
    const QPoint p(10, 8);
    sendMouse(s, QEvent::MouseButtonPress, p);
    sendMouse(s, QEvent::MouseButtonRelease, p);
    sendMouse(s, QEvent::MouseButtonDblClick, p);
    sendMouse(s, QEvent::MouseButtonRelease, p);
    EXPECT_EQ(log.events, (std::vector<std::string>{"click:on", "change:off", "click:off", "change:on"}));
    EXPECT_TRUE(s.switchOn());
    TToggleSwitch::setAnimated(true);
}

TEST(ToggleSwitch, ReleaseOutsideDoesNothing) {
    TToggleSwitch s;
    SwitchLog log(s);
    sendMouse(s, QEvent::MouseButtonPress, QPoint(10, 8));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(10, 40));
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(s.switchOn());
}

TEST(ToggleSwitch, DragToFarEndFlipsOnceAndReleaseOnlyClicks) {
    TToggleSwitch s; // on: the thumb sits at the right end
    SwitchLog log(s);
    sendMouse(s, QEvent::MouseButtonPress, QPoint(28, 8));
    for (int x = 26; x >= 4; x -= 2)
        sendMouse(s, QEvent::MouseMove, QPoint(x, 8));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(4, 8));
    EXPECT_EQ(log.events, (std::vector<std::string>{"change:off", "click:off"}));
    EXPECT_FALSE(s.switchOn());
}

// A slide flips the state shortly before the thumb arrives, while the looks still fade.
TEST(ToggleSwitch, ClickFlipsBeforeTheThumbArrives) {
    TToggleSwitch s; // on: the thumb at the right end, sliding to the left
    s.show();
    qreal thumbAtFlip = -1;
    QObject::connect(&s, &TToggleSwitch::switchChanged, [&] { thumbAtFlip = s.thumbPosition(); });
    QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_GT(thumbAtFlip, 0.0) << "not yet arrived";
    EXPECT_LT(thumbAtFlip, 0.5) << "most of the way";
    EXPECT_EQ(s.thumbPosition(), 0.0);
}

// Every change is offered to changing() first; a veto leaves state, thumb and events as they were.
TEST(ToggleSwitch, ChangingMayVetoEveryWayOfChanging) {
    struct Case {
        const char *how;
        std::function<void(TToggleSwitch &)> act;
        std::vector<std::string> expected; // with the veto
    };
    const auto drag = [](TToggleSwitch &s) {
        sendMouse(s, QEvent::MouseButtonPress, QPoint(28, 8));
        for (int x = 26; x >= 4; x -= 2)
            sendMouse(s, QEvent::MouseMove, QPoint(x, 8));
        sendMouse(s, QEvent::MouseButtonRelease, QPoint(4, 8));
    };
    const Case cases[] = {
        {"code", [](TToggleSwitch &s) { s.setSwitchOn(false); }, {"changing:on"}},
        {"click",
         [](TToggleSwitch &s) { QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(10, 8)); },
         {"click:on", "changing:on"}},
        {"drag", drag, {"changing:on", "click:on"}},
    };
    for (bool veto : {true, false}) {
        for (const Case &c : cases) {
            TToggleSwitch s;
            s.show();
            SwitchLog log(s);
            QObject::connect(&s, &TToggleSwitch::changing, [&](bool &canChange) {
                log.events.push_back(SwitchLog::event("changing", s.switchOn()));
                canChange = !veto;
            });
            c.act(s);
            EXPECT_EQ(s.switchOn(), veto) << c.how;
            if (veto) {
                EXPECT_EQ(log.events, c.expected) << c.how;
                EXPECT_EQ(s.thumbPosition(), 1.0) << c.how;
            } else {
                EXPECT_TRUE(std::find(log.events.begin(), log.events.end(), "change:off") != log.events.end())
                    << c.how;
            }
        }
    }
}

TEST(ToggleSwitch, IsNoTabStop) {
    TToggleSwitch s;
    EXPECT_EQ(s.focusPolicy(), Qt::NoFocus);
}

} // namespace

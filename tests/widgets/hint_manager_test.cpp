#include "widgets/balloon_hint.h"
#include "widgets/hint_manager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kvl::widgets::BalloonPlacement;

struct Hint {
    Hint() { control.resize(50, 20); }
    TBalloonHint *show(const QString &text, QPoint mouse = {300, 200}) {
        THintManager::showHint(&control, mouse, text);
        return manager.shownBalloon();
    }
    THintManager manager;
    QWidget control;
};

TEST(HintManager, BalloonStaysWithinItsMaximumWidthAndWraps) {
    struct Case {
        const char *text;
        bool wraps;
    };
    const Case cases[] = {
        {"Ja", false},
        {"Änderungen in die Registry und andere Dateien übernehmen", true},
        {"Registrierungsdatenbankeinträgeübernahmeschaltflächenbeschriftung", true}, // one word
    };
    const int oneLine = Hint().show("Ja")->height();
    for (const Case &c : cases) {
        Hint hint;
        const TBalloonHint *balloon = hint.show(QString::fromUtf8(c.text));
        ASSERT_NE(balloon, nullptr) << c.text;
        EXPECT_EQ(balloon->text(), QString::fromUtf8(c.text));
        EXPECT_LE(balloon->width(), TBalloonHint::kMaxWidth) << c.text;
        EXPECT_EQ(balloon->height() > oneLine, c.wraps) << c.text;
        // A pixel height, not a point size: the same width at any dpi.
        EXPECT_EQ(balloon->font().pixelSize(), 11);
        EXPECT_EQ(balloon->font().family(), "Tahoma");
    }
}

TEST(HintManager, BalloonStaysOnTheScreenBesideTheMouse) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        QPoint mouse;
        BalloonPlacement placement;
    };
    const Case cases[] = {
        {screen.center(), BalloonPlacement::Default},
        {screen.topLeft(), BalloonPlacement::Default},
        {QPoint(screen.right() - 5, screen.center().y()), BalloonPlacement::RightTop},
        {QPoint(screen.center().x(), screen.bottom() - 5), BalloonPlacement::LeftBottom},
        {screen.bottomRight(), BalloonPlacement::RightBottom},
        {QPoint(screen.left(), screen.bottom()), BalloonPlacement::LeftBottom},
        {QPoint(screen.right(), screen.top()), BalloonPlacement::RightTop},
    };
    for (const Case &c : cases) {
        Hint hint;
        const TBalloonHint *balloon = hint.show("Create external registry file", c.mouse);
        ASSERT_NE(balloon, nullptr);
        EXPECT_EQ(balloon->placement(), c.placement) << c.mouse.x() << "," << c.mouse.y();
        EXPECT_TRUE(screen.contains(balloon->geometry())) << c.mouse.x() << "," << c.mouse.y();
        // Beside the mouse: the tail's tip is on it.
        EXPECT_TRUE(balloon->geometry().adjusted(-1, -1, 1, 1).contains(c.mouse));
    }
}

TEST(HintManager, TinyScreenKeepsTheBalloonAsFarOnAsItGoes) {
    const kvl::widgets::BalloonShape shape{QSize(100, 40), 12, 4, 2};
    const kvl::widgets::BalloonFrame frame = kvl::widgets::placeBalloon(shape, {30, 20}, QRect(0, 0, 60, 40));
    EXPECT_EQ(frame.window.topLeft(), QPoint(0, 0));
    EXPECT_EQ(frame.window.size(), QSize(102, 54));
}

TEST(HintManager, HidesAfterItsPauseOnAClickOrWithoutText) {
    Hint hint;
    EXPECT_EQ(hint.manager.hidePause(), THintManager::kHidePauseMs);
    EXPECT_EQ(THintManager::kHidePauseMs, 5000);
    EXPECT_STREQ(THintManager::kTemplate, "Yellow balloon");

    // The balloon stays while events run within its pause, and goes once the pause is over, however
    // slowly the machine gets there.
    ASSERT_NE(hint.show("Reload values"), nullptr);
    QCoreApplication::processEvents();
    EXPECT_NE(hint.manager.shownBalloon(), nullptr) << "within the pause";
    hint.manager.setHidePause(50);
    ASSERT_NE(hint.show("Reload values"), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint.manager.shownBalloon() == nullptr; }, 10000))
        << "the pause is over";

    hint.manager.setHidePause(THintManager::kHidePauseMs);
    ASSERT_NE(hint.show("Reload values"), nullptr);
    QTest::mouseClick(&hint.control, Qt::LeftButton);
    EXPECT_EQ(hint.manager.shownBalloon(), nullptr) << "a click";

    ASSERT_NE(hint.show("Reload values"), nullptr);
    EXPECT_EQ(hint.show(""), nullptr) << "no text";
}

TEST(HintManager, NoManagerNoBalloon) {
    QWidget control;
    THintManager::showHint(&control, {10, 10}, "About...");
    std::optional<THintManager> later;
    later.emplace();
    EXPECT_EQ(later->shownBalloon(), nullptr);
    later.reset();
    THintManager::showHint(&control, {10, 10}, "About..."); // the manager in charge is gone: no crash
}

} // namespace

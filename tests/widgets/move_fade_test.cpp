#include "widgets/move_fade.h"

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// A window moved in steps for a while: by the window system (as when the user drags it) or by the
// program itself. Returns the opacity while it moves and after it has stood still.
std::pair<qreal, qreal> moveFor(TMoveFade &fade, bool byUser) {
    QWidget window;
    window.resize(200, 100);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(TMoveFade::kPlacementMs + 50);
    for (int step = 0; step * 25 < fade.time() + 150; ++step) {
        const QPoint to = window.pos() + QPoint(3, 2);
        if (byUser)
            window.windowHandle()->setPosition(to);
        else
            window.move(to);
        QTest::qWait(25);
    }
    const qreal moving = window.windowOpacity();
    QTest::qWait(TMoveFade::kSettleMs + 100);
    return {moving, window.windowOpacity()};
}

TEST(MoveFade, FadesOnlyWhileTheUserMovesWhereWindowsBlend) {
    struct Case {
        const char *what;
        bool blends;
        bool active;
        bool byUser;
        bool fades;
    };
    const Case cases[] = {
        {"user's move", true, true, true, true},
        {"window system without blending", false, true, true, false},
        {"switched off", true, false, true, false},
        {"the program's own move", true, true, false, false},
    };
    for (const Case &c : cases) {
        TMoveFade fade([&c] { return c.blends; });
        fade.setActive(c.active);
        fade.setTime(100);
        const auto [moving, afterwards] = moveFor(fade, c.byUser);
        EXPECT_NEAR(moving, c.fades ? 200 / 255.0 : 1.0, 0.01) << c.what;
        EXPECT_EQ(afterwards, 1.0) << c.what;
    }
}

} // namespace

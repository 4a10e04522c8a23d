#include "widgets/move_fade.h"

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// However loaded the machine, a wait for what must happen ends long before this.
constexpr int kGenerousMs = 10000;

TEST(MoveFade, FadesOnlyWhileTheUserMovesWhereWindowsBlend) {
    struct Case {
        const char *what;
        bool blends;
        bool active;
        bool byUser; // moved by the window system, as when the user drags it, or by the program itself
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
        fade.setSettleTime(10 * kGenerousMs); // the move lasts until the test lets the window stand still
        QWidget window;
        window.resize(200, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(TMoveFade::kPlacementMs + 50); // at least this long: the window is placed
        const QPoint to = window.pos() + QPoint(3, 2);
        if (c.byUser)
            window.windowHandle()->setPosition(to);
        else
            window.move(to);

        if (c.fades) {
            const auto faded = [&] { return std::abs(window.windowOpacity() - 200 / 255.0) < 0.01; };
            EXPECT_TRUE(QTest::qWaitFor(faded, kGenerousMs)) << c.what << ": " << window.windowOpacity();
        } else {
            QTest::qWait(fade.time() + 100); // as long as a fade would take at least
            EXPECT_EQ(window.windowOpacity(), 1.0) << c.what;
        }
        fade.setSettleTime(1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowOpacity() == 1.0; }, kGenerousMs)) << c.what;
    }
}

} // namespace

#include "widgets/theme_engine.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "widgets/hint_manager.h"
#include "widgets/round_button.h"

namespace {

TEST(ThemeEngine, NameLookup) {
    struct Case {
        const char *requested;
        const char *title;
    };
    const Case cases[] = {
        {"Windows 10", "Windows 10"},       {"Windows 11", "Windows 11"}, {"Windows 11.skin", "Windows 11"},
        {"Windows 11 light", "Windows 10"}, {"windows 11", "Windows 10"}, {"", "Windows 10"},
    };
    for (const Case &c : cases) {
        TThemeEngine engine;
        engine.setSkinTitle(c.requested);
        EXPECT_EQ(engine.skinTitle(), QString(c.title)) << c.requested;
        EXPECT_FALSE(qApp->styleSheet().isEmpty());
    }
    qApp->setStyleSheet({});
}

TEST(ThemeEngine, ThemesDifferAndInactiveMeansNoStyleSheet) {
    TThemeEngine engine;
    engine.setSkinTitle("Windows 10");
    const QString windows10 = qApp->styleSheet();
    engine.setActive(false);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    engine.setSkinTitle("Windows 11"); // only stored while inactive
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    engine.setActive(true);
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
    EXPECT_NE(qApp->styleSheet(), windows10);
    qApp->setStyleSheet({});
}

TEST(ThemeEngine, BalloonHintsWrapAtTheirMaximumWidth) {
    TThemeEngine engine;
    engine.setSkinTitle("Windows 11");
    QWidget window;
    auto *button = new TRoundButton(&window);
    button->setGeometry(0, 0, 55, 55);
    button->setShowHint(true);
    button->setHint("Änderungen in die Registry und andere Dateien übernehmen");
    window.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(27, 27), button->mapToGlobal(QPoint(27, 27)));
    QApplication::sendEvent(button, &help);
    ASSERT_TRUE(QToolTip::isVisible());
    QWidget *tip = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            tip = w;
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->width(), THintManager::kMaxWidth);
    EXPECT_GT(tip->height(), 2 * tip->fontMetrics().height()) << "the text wraps instead of widening";
    EXPECT_EQ(tip->font().family(), "Tahoma");
    QToolTip::hideText();
    qApp->setStyleSheet({});
}

} // namespace

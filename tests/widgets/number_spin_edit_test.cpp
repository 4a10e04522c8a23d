#include "widgets/number_spin_edit.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

void leaveField(TNumberSpinEdit &edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &out);
}

void wheel(TNumberSpinEdit &edit, int delta) {
    QWheelEvent e(QPointF(5, 5), edit.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&edit, &e);
}

TEST(NumberSpinEdit, TypedTextStaysUntilFocusLeaves) {
    struct Case {
        const char *typed;
        const char *shown;
        const char *afterLeaving;
    };
    const Case cases[] = {
        {"3000", "3000", "2500"}, {"12", "12", "1000"},      {"1500", "1500", "1500"}, {"+", "+", "1000"},
        {"2.5", "2.5", "1000"},   {"99999", "9999", "2500"}, // the fifth character is refused
        {"-5", "5", "1000"},      {"a1b2", "12", "1000"},    // a sign or letters are refused
    };
    QLocale::setDefault(QLocale::c());
    for (const Case &c : cases) {
        TNumberSpinEdit edit;
        edit.clear();
        QTest::keyClicks(&edit, c.typed);
        EXPECT_EQ(edit.text(), QString(c.shown)) << c.typed;
        leaveField(edit);
        EXPECT_EQ(edit.text(), QString(c.afterLeaving)) << c.typed;
    }
}

TEST(NumberSpinEdit, CodeSetTextIsKeptUntilFocusLeaves) {
    struct Case {
        const char *set;
        double value;
        const char *afterLeaving;
    };
    const Case cases[] = {
        {"3000", 2500, "2500"}, {"", 1000, "1000"},     {"4096", 2500, "2500"},
        {"abc", 1000, "1000"},  {"1234", 1234, "1234"}, {"12345", 2500, "2500"},
    };
    for (const Case &c : cases) {
        TNumberSpinEdit edit;
        edit.setText(c.set);
        EXPECT_EQ(edit.text(), QString(c.set));
        EXPECT_EQ(edit.value(), c.value) << c.set;
        leaveField(edit);
        EXPECT_EQ(edit.text(), QString(c.afterLeaving)) << c.set;
    }
}

// Pasting bypasses the key filter: the four-character limit still holds, and text that reads as no
// finite number counts as 0.
TEST(NumberSpinEdit, PastedTextIsLimitedAndReadLikeTypedText) {
    struct Case {
        const char *pasted;
        const char *shown;
        const char *afterLeaving;
    };
    const Case cases[] = {
        {"2000", "2000", "2000"}, {"12345", "", "1000"},    {"nan", "nan", "1000"},
        {"inf", "inf", "1000"},   {"-inf", "-inf", "1000"},
    };
    for (const Case &c : cases) {
        TNumberSpinEdit edit;
        edit.clear();
        QGuiApplication::clipboard()->setText(c.pasted);
        edit.paste();
        EXPECT_EQ(edit.text().toStdString(), c.shown) << c.pasted;
        leaveField(edit);
        EXPECT_EQ(edit.text().toStdString(), c.afterLeaving) << c.pasted;
    }
}

// A context menu or a switch to another window does not move the focus out of the field: the typed text
// stays until the focus really goes to another control.
TEST(NumberSpinEdit, OnlyARealFocusChangeRewritesTheText) {
    struct Case {
        Qt::FocusReason reason;
        const char *afterwards;
    };
    const Case cases[] = {
        {Qt::PopupFocusReason, "12"},   {Qt::ActiveWindowFocusReason, "12"}, {Qt::TabFocusReason, "1000"},
        {Qt::MouseFocusReason, "1000"}, {Qt::OtherFocusReason, "1000"},
    };
    for (const Case &c : cases) {
        TNumberSpinEdit edit;
        edit.clear();
        QTest::keyClicks(&edit, "12");
        QFocusEvent out(QEvent::FocusOut, c.reason);
        QApplication::sendEvent(&edit, &out);
        EXPECT_EQ(edit.text().toStdString(), c.afterwards) << c.reason;
    }
}

TEST(NumberSpinEdit, EveryTextChangeSignals) {
    TNumberSpinEdit edit;
    int changes = 0;
    QObject::connect(&edit, &TNumberSpinEdit::change, [&] { ++changes; });
    edit.setText("1200");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(changes, 2);
}

TEST(NumberSpinEdit, WheelStepsPerWholeNotch) {
    struct Case {
        std::vector<int> deltas;
        const char *text;
    };
    const Case cases[] = {
        {{120}, "1501"}, {{-120, -120}, "1498"}, {{60}, "1500"}, {{60, 60}, "1501"}, {{240}, "1502"},
    };
    for (const Case &c : cases) {
        TNumberSpinEdit edit;
        edit.setText("1500");
        for (int delta : c.deltas)
            wheel(edit, delta);
        EXPECT_EQ(edit.text(), QString(c.text));
    }
}

TEST(NumberSpinEdit, SpinButtonsStepOnReleaseAndClamp) {
    QWidget window;
    auto *edit = new TNumberSpinEdit(&window);
    edit->setGeometry(0, 0, 65, 21);
    window.show();
    const auto buttons = edit->findChildren<QToolButton *>();
    ASSERT_EQ(buttons.size(), 2);
    QToolButton *up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
    QToolButton *down = up == buttons[0] ? buttons[1] : buttons[0];
    EXPECT_EQ(up->height() + down->height(), edit->height());
    EXPECT_EQ(up->geometry().right(), edit->width() - 1);

    edit->setText("2499");
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_EQ(edit->text(), "2499") << "the step follows the release";
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(edit->text(), "2500");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(edit->text(), "2500");
    edit->setText("999");
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(edit->text(), "1000") << "the clamped value steps, not the shown text";
}

} // namespace

#include "widgets/image_combo_box.h"
#include "widgets/number_spin_edit.h"
#include "widgets/path_edit.h"
#include "widgets/round_button.h"
#include "widgets/theme_engine.h"

#include <QCheckBox>
#include <QCursor>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Every control that takes the keyboard focus looks different while it has it, in both themes.
TEST(FocusVisible, EveryFocusableControlShowsTheFocusInBothThemes) {
    using Make = std::function<QWidget *()>;
    const std::pair<const char *, Make> controls[] = {
        {"round button", [] { return new TRoundButton; }},
        {"check box", [] { return new QCheckBox(QStringLiteral("Dock")); }},
        {"push button", [] { return new QPushButton(QStringLiteral("OK")); }},
        {"image combo box",
         [] {
             auto *box = new TImageComboBox;
             box->addItem(QStringLiteral("Windows 11"));
             return box;
         }},
        {"numeric field", [] { return new TNumberSpinEdit; }},
        {"path edit", [] { return new TFolderNameEdit; }},
    };
    QCursor::setPos(700, 500); // away from the controls: a hot look is no focus
    for (const char *theme : {"Windows 10", "Windows 11"}) {
        TThemeEngine engine;
        engine.setSkinTitle(QString::fromLatin1(theme));
        for (const auto &[kind, make] : controls) {
            QWidget window;
            auto *other = new QPushButton(&window); // takes the focus away
            other->setGeometry(0, 100, 50, 20);
            QWidget *control = make();
            control->setParent(&window);
            control->setGeometry(5, 5, 110, qobject_cast<TRoundButton *>(control) ? 55 : 21);
            window.resize(130, 130);
            window.show();
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            other->setFocus();
            const QImage unfocused = control->grab().toImage();
            control->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(control->hasFocus()) << kind;
            EXPECT_NE(control->grab().toImage(), unfocused) << kind << " in " << theme;
        }
    }
}

} // namespace

#include "widgets/round_button.h"
#include "widgets/theme_engine.h"
#include "widgets/toggle_switch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QHoverEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Not a test: saves the looks of the controls in their states, one picture per theme, into the working
// folder for a person to compare. Run with --gtest_also_run_disabled_tests --gtest_filter='*Gallery*'.
TEST(ThemeGallery, DISABLED_SaveStateGallery) {
    for (const char *theme : {"Windows 10", "Windows 11"}) {
        TThemeEngine engine;
        engine.setSkinTitle(theme);
        QWidget window;
        const char *states[] = {"normal", "hot", "pressed", "focused", "disabled"};
        using Make = std::function<QWidget *()>;
        const std::pair<const char *, Make> rows[] = {
            {"round button",
             [] {
                 auto *button = new TRoundButton;
                 button->setImageIndex(1);
                 button->setFixedSize(55, 55);
                 return button;
             }},
            {"check box",
             [] {
                 auto *box = new QCheckBox("Dock");
                 box->setChecked(true);
                 return box;
             }},
            {"check box", [] { return new QCheckBox("Autosave"); }},
            {"edit", [] { return new QLineEdit("C:\\Layouts"); }},
            {"combo box",
             [] {
                 auto *combo = new QComboBox;
                 combo->addItem("Windows 11");
                 return combo;
             }},
            {"push button", [] { return new QPushButton("OK"); }},
        };
        // One control per row and state; the picture of each is taken while it alone has its state.
        QImage picture(QSize(6 * 120, (int(std::size(rows)) + 2) * 62), QImage::Format_RGB32);
        picture.fill(window.palette().color(QPalette::Window));
        QPainter painter(&picture);
        for (int column = 0; column < 5; ++column)
            painter.drawText(QRect((column + 1) * 120, 0, 120, 30), Qt::AlignCenter, states[column]);
        window.setGeometry(0, 0, 130, 70);
        QCursor::setPos(700, 500); // away from the controls: only the hot ones are under the mouse
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        for (int row = 0; row < int(std::size(rows)) + 1; ++row) {
            const bool toggle = row == int(std::size(rows));
            painter.drawText(QRect(0, 30 + row * 62, 120, 60), Qt::AlignVCenter,
                             toggle ? "toggle switch" : rows[row].first);
            for (int column = 0; column < 5; ++column) {
                QWidget *widget = toggle ? new TToggleSwitch : rows[row].second();
                widget->setParent(&window);
                const QSize size =
                    toggle ? QSize(35, 17)
                           : QSize(std::max(widget->minimumWidth(), 110), widget->sizeHint().height());
                widget->setGeometry(
                    QRect(QPoint(5, 5), qobject_cast<TRoundButton *>(widget) ? QSize(55, 55) : size));
                if (toggle)
                    static_cast<TToggleSwitch *>(widget)->setSwitchOn(column % 2 == 0);
                widget->show();
                if (column == 1) {
                    widget->setAttribute(Qt::WA_UnderMouse);
                    QHoverEvent hover(QEvent::HoverEnter, QPointF(27, 27), QPointF(27, 27), QPointF());
                    QApplication::sendEvent(widget, &hover);
                }
                if (auto *button = qobject_cast<QAbstractButton *>(widget); button && column == 2)
                    button->setDown(true);
                if (column == 3)
                    widget->setFocus(Qt::TabFocusReason);
                widget->setEnabled(column != 4);
                painter.drawPixmap((column + 1) * 120, 30 + row * 62, widget->grab());
                delete widget;
            }
        }
        painter.end();
        picture.save("states_" + QString(theme).remove(' ') + ".png");
    }
}

} // namespace

#include "app_fixture.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/dialog_centring.h"
#include "app/preferences_form.h"
#include "app/program_state.h"
#include "app/work_area.h"
#include "widgets/round_button.h"

#include <QLabel>

namespace kvl::test {
namespace {

TEST(DialogCentringTest, EachHalfIsRoundedTowardZeroOnItsOwn) {
    struct Case {
        QRect mainFrame;
        QSize dialog;
        QPoint expected;
    };
    const Case cases[] = {
        {QRect(100, 50, 776, 540), QSize(617, 400), QPoint(180, 120)},
        {QRect(0, 0, 777, 541), QSize(357, 145), QPoint(388 - 178, 270 - 72)},
        {QRect(-300, -20, 775, 539), QSize(611, 371), QPoint(-300 + 387 - 305, -20 + 269 - 185)},
        {QRect(10, 10, 100, 100), QSize(301, 201), QPoint(10 + 50 - 150, 10 + 50 - 100)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kvl::app::centredPosition(c.mainFrame, c.dialog), c.expected) << c.mainFrame.x();
}

TEST(WorkAreaTest, AFrameIsKeptInsideTheWorkAreaAndStartsAtItsCornerWhereLarger) {
    struct Case {
        QPoint wanted;
        QSize frame;
        QPoint expected;
    };
    const QRect workArea(0, 30, 1366, 738); // a panel along the top
    const Case cases[] = {
        {{295, 100}, {776, 570}, {295, 100}}, // inside: where wanted
        {{900, 500}, {776, 570}, {590, 198}}, // over the right and bottom edges: pushed back
        {{-91, -156}, {776, 570}, {0, 30}},   // over the left and top edges
        {{-91, -156}, {1552, 1130}, {0, 30}}, // larger than the area: its corner
        {{500, 100}, {1164, 855}, {202, 30}}, // too high only: inside across, from the top down
        {{0, 30}, {1366, 738}, {0, 30}},      // exactly the area
    };
    for (const Case &c : cases)
        EXPECT_EQ(kvl::app::keptInWorkArea(workArea, c.wanted, c.frame), c.expected) << c.wanted.x();
}

class DialogTest : public AppTest {
protected:
    void SetUp() override { AppTest::SetUp(); }
    void startWith(const std::string &settings) {
        writeSettings(settings);
        start();
        form().show();
    }
};

TEST_F(DialogTest, DialogsAreCentredOnTheMainWindowAtEachShowing) {
    startWith("");
    for (const QPoint mainAt : {QPoint(100, 50), QPoint(7, 201)})
        for (const auto &[dialog, opener] :
             {std::pair<QDialog *, const char *>{About, "BAbout"}, {Form3, "BSettings"}}) {
            form().move(mainAt);
            QPoint shownAt;
            whenShown(dialog, [&] { shownAt = dialog->pos(); });
            click(opener);
            EXPECT_EQ(shownAt,
                      kvl::app::centredPosition(form().frameGeometry(), dialog->frameGeometry().size()))
                << opener;
        }
    QPoint confirmAt;
    whenShown(Confirmit, [&] { confirmAt = Confirmit->pos(); });
    click("BClose");
    EXPECT_EQ(confirmAt,
              kvl::app::centredPosition(form().frameGeometry(), Confirmit->frameGeometry().size()));
}

TEST_F(DialogTest, AboutCloseButtonShowsItsHintOnlyForUseHintsOne) {
    struct Case {
        const char *useHints;
        bool aboutHint;
        bool mainHint;
    };
    for (const Case &c : {Case{"0", false, false}, Case{"1", true, true}, Case{"2", false, true}}) {
        startWith(std::string("[User]\r\nUseHints=") + c.useHints + "\r\n");
        bool shown = false;
        whenShown(About, [&] { shown = About->findChild<TRoundButton *>("BClose")->showHint(); });
        click("BAbout");
        EXPECT_EQ(shown, c.aboutHint) << c.useHints;
        EXPECT_EQ(control<TRoundButton>("BAbout")->showHint(), c.mainHint) << c.useHints;
        kvl::app::destroyWindows();
    }
}

TEST_F(DialogTest, DialogsTakeTheirLanguageWhenShown) {
    startWith("[User]\r\nLanguage=GER\r\n");
    QString caption, question;
    whenShown(About, [&] { caption = About->windowTitle(); });
    click("BAbout");
    EXPECT_EQ(caption, QString::fromUtf8("Über..."));
    whenShown(Confirmit, [&] { question = Confirmit->findChild<QLabel *>("LTxt")->text(); });
    click("BClose");
    EXPECT_EQ(question, QString::fromUtf8("Möchten Sie das Programm beenden ?"));
    EXPECT_TRUE(Confirmit->windowTitle().trimmed().isEmpty());
}

TEST_F(DialogTest, DialogControlsAreMadeOnceAtTheFirstShowingOrWhenAskedFor) {
    startWith("");
    const auto controlsOf = [](QWidget *dialog) { return dialog->findChildren<QWidget *>().size(); };
    for (TDeferredDialog *dialog :
         {static_cast<TDeferredDialog *>(About), static_cast<TDeferredDialog *>(Confirmit),
          static_cast<TDeferredDialog *>(Form3)})
        EXPECT_EQ(controlsOf(dialog), 0) << dialog->objectName().toStdString();
    Form3->ensureBuilt();
    const auto made = controlsOf(Form3);
    EXPECT_GT(made, 0);
    Form3->ensureBuilt();
    EXPECT_EQ(controlsOf(Form3), made) << "asked again";
    qsizetype shown = 0;
    whenShown(About, [&] { shown = About->findChildren<TRoundButton *>().size(); });
    click("BAbout");
    EXPECT_EQ(shown, 1);
}

TEST_F(DialogTest, KeyControlsSitWhereDesigned) {
    startWith("");
    struct Case {
        const char *name;
        QRect geometry;
    };
    const Case cases[] = {
        {"GBStart", QRect(8, 8, 753, 401)},
        {"PGVersie", QRect(8, 16, 753, 425)},
        {"BSettings", QRect(10, 449, 55, 55)},
        {"BClose", QRect(707, 449, 55, 55)},
        {"Bok", QRect(350, 157, 55, 55)},
        {"CBWarning", QRect(16, 248, 35, 17)},
        {"GB117", QRect(14, 8, 715, 73)},
        {"EPath17", QRect(88, 20, 609, 21)},
        {"GB217", QRect(14, 88, 715, 241)},
        {"EPathAnl17", QRect(120, 24, 425, 21)},
        {"CBLuaAnl17", QRect(552, 98, 145, 17)},
        {"EMaxObj17", QRect(232, 129, 65, 21)},
        {"BApply17", QRect(548, 336, 55, 55)},
        {"BSave17", QRect(676, 336, 55, 55)},
        {"SBar", QRect(0, 510, form().width(), 30)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(control(c.name)->geometry(), c.geometry) << c.name;
    EXPECT_EQ(form().frameGeometry().width(), 776);
    EXPECT_EQ(form().height(), 540);
}

TEST_F(DialogTest, SettingsPageFocusOrder) {
    startWith("");
    const QStringList expected = {"EPathAnl17",
                                  "CBPathAnl17",
                                  "EAnl17",
                                  "CBAnl17",
                                  "EMediaAnl17",
                                  "CBMediaAnl17",
                                  "ELuaAnl17",
                                  "CBLuaAnl17",
                                  "CBDock17",
                                  "CBAutosave17",
                                  "CBDepreciated17",
                                  "EMaxObj17",
                                  "CBShowAlwaysDepreciated17",
                                  "BReload17",
                                  "BSave17",
                                  "BApply17"};
    QStringList order;
    QWidget *widget = control(expected.front().toLatin1().constData());
    while (order.size() < expected.size()) {
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
        if (widget == control("EPathAnl17"))
            break;
    }
    EXPECT_EQ(order, expected);
}

} // namespace
} // namespace kvl::test

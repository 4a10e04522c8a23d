#include "app_fixture.h"

#include "hive/fake_server.h"
#include "widgets/themed_status_bar.h"

#include <QPushButton>
#include <QTest>

namespace kvl::test {
namespace {

class WineServerBusyTest : public AppTest {
protected:
    // The page is locked and says that it waits, or is as before.
    void expectBusy(bool busy) {
        EXPECT_EQ(form().busy(), busy);
        EXPECT_EQ(control("PGVersie")->isEnabled(), !busy);
        EXPECT_EQ(form().cursor().shape(), busy ? Qt::WaitCursor : Qt::ArrowCursor);
        EXPECT_EQ(control("BCancelWait")->isVisible(), busy);
        EXPECT_EQ(control<TThemedStatusBar>("SBar")->panelText(0) ==
                      QStringLiteral("Warte auf Antwort von Wine … (Esc bricht ab)"),
                  busy);
    }
};

// Wine runs in the prefix and its registry tool never answers, as with a stopped server. The load at
// start-up and Apply wait off the interface's thread, the page locked and the wait shown, until the user
// cancels by key or button; then nothing is said, and a cancelled Apply stores nothing and goes no further.
TEST_F(WineServerBusyTest, AWaitOnWineLocksThePageAndShowsItUntilTheUserCancels) {
    addCompleteHost("1");
    const DebianServerRoot root(prefix.path());
    const FakeServer server(root.path(), prefix.path());
    const ToolPath hangingWine("exec /bin/sleep 600");
    writeSettings("[User]\r\nLanguage=GER\r\n");
    const std::string filter = TempPrefix::readFile(filterFile());
    start();
    form().show();
    expectBusy(true);
    EXPECT_EQ(text("BCancelWait"), QStringLiteral("Abbrechen"));

    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    QTest::keyClick(control("BCancelWait"), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!form().busy(), 30000);
    expectBusy(false);

    control<QAbstractButton>("CBShowAlwaysDepreciated17")->setChecked(true);
    click("BApply17");
    expectBusy(true);
    QTest::mouseClick(control("BCancelWait"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!form().busy(), 30000);
    expectBusy(false);
    EXPECT_EQ(TempPrefix::readFile(filterFile()), filter) << "the steps after the registry are skipped";
    EXPECT_TRUE(errors.empty()) << errors.join(QStringLiteral("\n")).toStdString();
}

} // namespace
} // namespace kvl::test

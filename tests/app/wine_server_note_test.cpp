#include "app_fixture.h"

#include "app/program_state.h"
#include "hive/fake_server.h"
#include "widgets/themed_status_bar.h"

#include <QTest>

namespace kvl::test {
namespace {

using WineServerNoteTest = AppTest;

// Wine runs in the prefix and its registry tool is not on the PATH.
TEST_F(WineServerNoteTest, TheStatusBarSaysWhenALoadReadTheFilesAndApplyTellsWhatToClose) {
    addInstallKey();
    prefix.addUserKey(kHostKeyWine, completeUserValues());
    addFilterFile("1");
    const DebianServerRoot root(prefix.path());
    FakeServer server(root.path(), prefix.path());
    const ToolPath noWine;
    writeSettings("[User]\r\nLanguage=ENG\r\n");
    start();
    // With a server running, the load and Apply wait on it off the interface's thread.
    QTRY_VERIFY_WITH_TIMEOUT(!form().busy(), 30000);
    const auto *bar = control<TThemedStatusBar>("SBar");
    EXPECT_EQ(bar->panelText(0), "Read from the files: Wine programs may see newer values");

    kvl::app::state().preferences.language = "GER";
    form().Languages();
    EXPECT_EQ(bar->panelText(0), "Aus den Dateien gelesen: Wine-Programme sehen evtl. neuere Werte");
    click("BApply17");
    QTRY_VERIFY_WITH_TIMEOUT(!form().busy(), 30000);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().startsWith("Wine läuft in " + QString::fromStdString(prefix.path())));
    EXPECT_TRUE(errors.front().contains("wineserver -k"));

    server.stop();
    click("BReload17");
    EXPECT_EQ(bar->panelText(0), "");
}

} // namespace
} // namespace kvl::test

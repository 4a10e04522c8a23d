#include "app_fixture.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/preferences_form.h"
#include "app/program_state.h"

namespace kvl::test {
namespace {

class WindowFramesTest : public AppTest {
protected:
    void startShown() {
        addInstallKey();
        prefix.addUserKey(kHostKeyWine, completeUserValues());
        start();
        form().show();
    }
};

TEST_F(WindowFramesTest, EveryWindowHasATitleBarWithoutButtonsOrWindowMenu) {
    startShown();
    const Qt::WindowFlags refused = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                    Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                                    Qt::WindowContextHelpButtonHint;
    for (QWidget *window : {static_cast<QWidget *>(Form1), static_cast<QWidget *>(About),
                            static_cast<QWidget *>(Confirmit), static_cast<QWidget *>(Form3)}) {
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(window->isWindow()) << window->objectName().toStdString();
        EXPECT_TRUE(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint))
            << window->objectName().toStdString();
        EXPECT_FALSE(flags & refused) << window->objectName().toStdString();
    }
    // The preferences dialog stays above the other windows with that frame.
    EXPECT_TRUE(Form3->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowFramesTest, ExitConfirmationShowsAnEmptyCaptionInEveryLanguage) {
    for (const char *language : {"ENG", "GER", "XYZ"}) {
        writeSettings(std::string("[User]\r\nLanguage=") + language + "\r\n");
        startShown();
        QString caption = "not shown";
        whenShown(Confirmit, [&] { caption = Confirmit->windowTitle(); });
        click("BClose");
        // One blank: the toolkit would put the program's name in place of an empty title.
        EXPECT_FALSE(caption.isEmpty()) << language;
        EXPECT_TRUE(caption.trimmed().isEmpty()) << language;
        kvl::app::destroyWindows();
    }
}

} // namespace
} // namespace kvl::test

#include "app_fixture.h"

#include "widgets/path_edit.h"

#include <QCheckBox>

namespace kvl::test {
namespace {

class ResetBoxTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        addCompleteHost();
        start();
    }
    void TearDown() override {
        TPathEdit::setDialogRunner({});
        AppTest::TearDown();
    }
    QCheckBox *box(const char *name) const { return control<QCheckBox>(name); }
    std::string userHive() const { return TempPrefix::readFile(prefix.userReg()); }
};

TEST_F(ResetBoxTest, CheckingShowsTheResetTextAndUncheckingBringsBackTheLoadedText) {
    struct Case {
        const char *box;
        const char *edit;
        const char *resetText;
        const char *loaded;
    };
    const Case cases[] = {
        {"CBPathAnl17", "EPathAnl17", "C:\\Program Files\\Varnel\\KVL 17\\Resourcen\\Anlagen", "C:\\Layouts"},
        {"CBAnl17", "EAnl17", "", "C:\\Layouts\\Demo.anl3"},
        {"CBMediaAnl17", "EMediaAnl17", "C:\\Program Files\\Varnel\\KVL 17\\KVL17_Media", "D:\\Media"},
        {"CBLuaAnl17", "ELuaAnl17", "notepad", "C:\\Tools\\edit.exe"},
    };
    for (const Case &c : cases) {
        click(c.box);
        EXPECT_EQ(text(c.edit), c.resetText) << c.box;
        click(c.box);
        EXPECT_EQ(text(c.edit), c.loaded) << c.box;
    }
}

TEST_F(ResetBoxTest, ResetTextIsTakenFromTheInstallFolderAtTheMomentOfChecking) {
    form().setInstallDirectory("");
    click("CBPathAnl17");
    EXPECT_EQ(text("EPathAnl17"), "\\Resourcen\\Anlagen");
    click("BReload17"); // the load puts ANLPath back while the box stays checked
    EXPECT_EQ(text("EPathAnl17"), "C:\\Layouts");
    EXPECT_TRUE(box("CBPathAnl17")->isChecked());
    apply();
    EXPECT_NE(userHive().find("\"ANLPath\"=\"C:\\\\Layouts\""), std::string::npos);
}

TEST_F(ResetBoxTest, AChoiceWhileCheckedBecomesTheRememberedChoice) {
    std::filesystem::create_directories(prefix.driveC() + "/Chosen");
    TPathEdit::setDialogRunner([this](QWidget *, const TPathEdit::BrowseRequest &) {
        return std::optional<QString>(QString::fromStdString(prefix.driveC() + "/Chosen"));
    });
    click("CBPathAnl17");
    control<TPathEdit>("EPathAnl17")->browse();
    EXPECT_EQ(text("EPathAnl17"), "C:\\Chosen");
    EXPECT_TRUE(box("CBPathAnl17")->isChecked());
    apply();
    EXPECT_NE(userHive().find("\"ANLPath\"=\"C:\\\\Chosen\""), std::string::npos);
    click("CBPathAnl17");
    EXPECT_EQ(text("EPathAnl17"), "C:\\Chosen");
}

TEST_F(ResetBoxTest, ApplyWithACheckedBoxStoresAnEmptyText) {
    struct Case {
        const char *box;
        const char *edit;
        const char *storedLine;
        const char *shownAfter;
        bool checkedAfter;
    };
    const Case cases[] = {
        {"CBAnl17", "EAnl17", "\"LastANL\"=\"\"", "", false},
        {"CBLuaAnl17", "ELuaAnl17", "\"LuaExtEd\"=\"\"", "notepad", true},
    };
    for (const Case &c : cases) {
        click(c.box);
        apply();
        EXPECT_TRUE(errors.isEmpty()) << c.box;
        EXPECT_NE(userHive().find(c.storedLine), std::string::npos) << c.box;
        EXPECT_EQ(text(c.edit), c.shownAfter) << c.box;
        EXPECT_EQ(box(c.box)->isChecked(), c.checkedAfter) << c.box;
    }
    // Apply emptied the remembered last layout, so unchecking has nothing to bring back.
    click("CBAnl17");
    click("CBAnl17");
    EXPECT_EQ(text("EAnl17"), "");
}

TEST_F(ResetBoxTest, AFileChosenWhileCheckedIsNotStored) {
    std::filesystem::create_directories(prefix.driveC() + "/Layouts");
    TempPrefix::writeFile(prefix.driveC() + "/Layouts/Other.anl3", "");
    TPathEdit::setDialogRunner([this](QWidget *, const TPathEdit::BrowseRequest &) {
        return std::optional<QString>(QString::fromStdString(prefix.driveC() + "/Layouts/Other.anl3"));
    });
    click("CBAnl17");
    control<TPathEdit>("EAnl17")->browse();
    EXPECT_EQ(text("EAnl17"), "C:\\Layouts\\Other.anl3");
    apply();
    EXPECT_NE(userHive().find("\"LastANL\"=\"\""), std::string::npos);
    EXPECT_EQ(text("EAnl17"), "");
    EXPECT_FALSE(box("CBAnl17")->isChecked());
}

} // namespace
} // namespace kvl::test

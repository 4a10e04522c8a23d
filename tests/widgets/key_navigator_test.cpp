#include "widgets/key_navigator.h"

#include "widgets/image_combo_box.h"
#include "widgets/number_spin_edit.h"
#include "widgets/path_edit.h"
#include "widgets/round_button.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(KeyNavigator, ClassLists) {
    using Make = std::function<QWidget *(QWidget *)>;
    const char *const kProgramList = "TEdit;TMaskEdit;TComboBox;TCheckBox;TComboEdit;TEditEx";
    const Make checkBox = [](QWidget *p) { return new QCheckBox(p); };
    const Make numberField = [](QWidget *p) { return new TNumberSpinEdit(p); };
    const Make fileEdit = [](QWidget *p) { return new TFileNameEdit(p); };
    const Make folderEdit = [](QWidget *p) { return new TFolderNameEdit(p); };
    const Make tabBar = [](QWidget *p) { return (new QTabWidget(p))->focusProxy(); };
    const Make fileDialogName = [](QWidget *p) {
        auto *dialog = new QFileDialog(p);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        return dialog->findChild<QLineEdit *>("fileNameEdit");
    };
    struct Case {
        const char *list;
        Make control;
        bool matches;
    };
    const Case cases[] = {
        {" \x01\tTCheckBox\r\n\x1f", checkBox, true},
        {"TCheckBox\xc2\xa0", checkBox, false}, // a no-break space is no blank here
        {"tcheckbox", checkBox, false},
        {";;", checkBox, false},
        {"TEdit;;TCheckBox;", checkBox, true},
        {"TObject", checkBox, true},
        {"TWinControl", [](QWidget *p) { return new TRoundButton(p); }, true},
        {"TEdit", numberField, true},
        {kProgramList, fileEdit, false},
        {kProgramList, folderEdit, false},
        {kProgramList, [](QWidget *p) { return new TImageComboBox(p); }, false},
        {"TPageControl", tabBar, true},
        {kProgramList, fileDialogName, false},
    };
    for (const Case &c : cases) {
        QWidget window;
        EXPECT_EQ(TKeyNavigator::matches(QString::fromUtf8(c.list), *c.control(&window)), c.matches)
            << c.list;
    }
}

TEST(KeyNavigator, OneInstanceAndItsSwitchFailures) {
    auto first = std::make_unique<TKeyNavigator>(nullptr);
    for (int attempt = 0; attempt < 2; ++attempt) // the refused one leaves the registration alone
        try {
            TKeyNavigator second(nullptr);
            ADD_FAILURE() << "a second navigator was created";
        } catch (const EKeyNavigator &e) {
            EXPECT_STREQ(e.what(), "Slechts \xE9\xE9n exemplaar kan gebruikt worden !");
        }
    EXPECT_TRUE(first->active());

    // Outside the application's thread the toolkit cannot filter: the value stays, the watch is missing.
    first->setActive(false);
    QThread elsewhere;
    first->moveToThread(&elsewhere);
    const auto failure = [&](bool on) {
        try {
            first->setActive(on);
        } catch (const EKeyNavigator &e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(failure(true), "Keyboard navigator kan niet ingeschakeld worden.");
    EXPECT_TRUE(first->active());
    EXPECT_EQ(failure(false), "Keyboard navigator kan niet uitgeschakeld worden.");
    EXPECT_FALSE(first->active());
    first.reset();
    EXPECT_NO_THROW(TKeyNavigator(nullptr)); // a destroyed navigator makes room for the next
}

} // namespace

#include "widgets/path_edit.h"

#include "platform/error.h"
#include "support/temp_prefix.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Replaces the system dialogs for one test: records the request, answers with a fixed result.
struct FakeDialog {
    explicit FakeDialog(std::optional<QString> answer) {
        TPathEdit::setDialogRunner([this, answer](QWidget *, const TPathEdit::BrowseRequest &r) {
            requests.push_back(r);
            return answer;
        });
    }
    ~FakeDialog() { TPathEdit::setDialogRunner(nullptr); }
    std::vector<TPathEdit::BrowseRequest> requests;
};

struct ChangeLog {
    explicit ChangeLog(TPathEdit &edit) {
        QObject::connect(&edit, &TPathEdit::change, [this, &edit] { texts.push_back(edit.text()); });
    }
    std::vector<QString> texts;
};

QString native(const std::string &path) { return QDir::toNativeSeparators(QString::fromStdString(path)); }

// The shell's drops arrive as spontaneous events, which a test cannot send; the handler is called directly.
template <class Edit> struct Droppable : Edit { using Edit::dropEvent; };

template <class Edit> void drop(Droppable<Edit> &edit, const QString &nativePath) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(nativePath), QUrl::fromLocalFile("/ignored/second")});
    QDropEvent e(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    edit.dropEvent(&e);
}

TEST(PathEdit, CancelLeavesTextAndFiresNothing) {
    FakeDialog dialog(std::nullopt);
    TFileNameEdit file;
    TFolderNameEdit folder;
    for (TPathEdit *edit : std::initializer_list<TPathEdit *>{&file, &folder}) {
        edit->setText("C:\\Layouts\\Demo.anl3");
        ChangeLog log(*edit);
        edit->browse();
        EXPECT_EQ(edit->text(), "C:\\Layouts\\Demo.anl3");
        EXPECT_TRUE(log.texts.empty());
    }
    EXPECT_EQ(dialog.requests.size(), 2u);
}

TEST(PathEdit, LineBreakCutsTheTextBeforeTheHandlerSeesIt) {
    struct Case {
        const char *set;
        const char *kept;
    };
    const Case cases[] = {
        {"C:\\a\r\nC:\\b", "C:\\a"}, {"C:\\a\nb", "C:\\a"}, {"C:\\a\rb", "C:\\a"}, {"\nC:\\a", ""},
        {"C:\\a", "C:\\a"},
    };
    for (const Case &c : cases) {
        TFolderNameEdit edit;
        edit.setText("start");
        ChangeLog log(edit);
        edit.setText(c.set);
        EXPECT_EQ(edit.text(), QString(c.kept));
        EXPECT_EQ(log.texts, std::vector<QString>{QString(c.kept)}) << c.set;
    }
}

TEST(PathEdit, NoTypingOrPastingButFocusable) {
    TFileNameEdit edit;
    edit.setText("C:\\x.anl3");
    QTest::keyClicks(&edit, "abc");
    EXPECT_EQ(edit.text(), "C:\\x.anl3");
    EXPECT_NE(edit.focusPolicy(), Qt::NoFocus);
    edit.selectAll();
    EXPECT_EQ(edit.selectedText(), "C:\\x.anl3");
}

TEST(PathEdit, AltDownBrowses) {
    FakeDialog dialog(std::nullopt);
    TFolderNameEdit edit;
    QTest::keyClick(&edit, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(dialog.requests.size(), 1u);
}

class PrefixTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefix.driveC() + "/Layouts/Sub");
        TempPrefix::writeFile(prefix.driveC() + "/Layouts/Demo.anl3", "x");
    }
    using TempPrefix = kvl::test::TempPrefix;
    TempPrefix prefix;
};

TEST_F(PrefixTest, FileDialogStartsInTheMappedFolderAndResultMapsBack) {
    FakeDialog dialog(native(prefix.driveC() + "/Layouts/Sub/Next.anl3"));
    TFileNameEdit edit;
    edit.setFilter("ANL (*.anl3)|*.anl3");
    edit.setText("C:\\layouts\\Demo.anl3");
    ChangeLog log(edit);
    edit.browse();
    ASSERT_EQ(dialog.requests.size(), 1u);
    const auto &r = dialog.requests[0];
    EXPECT_FALSE(r.folder);
    EXPECT_EQ(r.title, "Browse");
    EXPECT_EQ(r.filter, "ANL (*.anl3)|*.anl3");
    EXPECT_EQ(QDir(r.startFolder).canonicalPath(),
              QDir(native(prefix.driveC() + "/Layouts")).canonicalPath());
    EXPECT_EQ(r.proposedName, "Demo.anl3");
    EXPECT_EQ(edit.text(), "C:\\Layouts\\Sub\\Next.anl3");
    EXPECT_EQ(log.texts, std::vector<QString>{"C:\\Layouts\\Sub\\Next.anl3"});

    // An empty text starts where the last choice was, with no proposed name.
    edit.clear();
    edit.browse();
    EXPECT_EQ(QDir(dialog.requests[1].startFolder).canonicalPath(),
              QDir(native(prefix.driveC() + "/Layouts/Sub")).canonicalPath());
    EXPECT_TRUE(dialog.requests[1].proposedName.isEmpty());
}

TEST_F(PrefixTest, FolderBrowserStartRules) {
    struct Case {
        const char *text;
        std::string expectedNative;
    };
    const Case cases[] = {
        {"C:\\Layouts\\Sub", prefix.driveC() + "/Layouts/Sub"},
        {"C:\\Missing\\Folder", prefix.driveC()}, // a folder that does not exist starts at the root
        {"", prefix.driveC()},                    // nothing chosen yet: the root
    };
    for (const Case &c : cases) {
        FakeDialog dialog(std::nullopt);
        TFolderNameEdit edit;
        edit.setText(c.text);
        edit.browse();
        ASSERT_EQ(dialog.requests.size(), 1u);
        EXPECT_TRUE(dialog.requests[0].folder);
        EXPECT_TRUE(dialog.requests[0].title.isEmpty());
        EXPECT_EQ(QDir(dialog.requests[0].startFolder).canonicalPath(),
                  QDir(native(c.expectedNative)).canonicalPath())
            << c.text;
    }
}

TEST_F(PrefixTest, FolderChoiceBecomesStartForEmptyText) {
    FakeDialog dialog(native(prefix.driveC() + "/Layouts/Sub"));
    TFolderNameEdit edit;
    edit.browse();
    EXPECT_EQ(edit.text(), "C:\\Layouts\\Sub");
    edit.clear();
    edit.browse();
    EXPECT_EQ(QDir(dialog.requests[1].startFolder).canonicalPath(),
              QDir(native(prefix.driveC() + "/Layouts/Sub")).canonicalPath());
}

TEST_F(PrefixTest, DropsOnFileAndFolderEdits) {
    struct Case {
        bool folderEdit;
        std::string dropped;
        const char *text;
    };
    const Case cases[] = {
        {false, prefix.driveC() + "/Layouts/Demo.anl3", "C:\\Layouts\\Demo.anl3"},
        {true, prefix.driveC() + "/Layouts/Demo.anl3", "C:\\Layouts"},
        {true, prefix.driveC() + "/Layouts/Sub", "C:\\Layouts\\Sub"},
    };
    for (const Case &c : cases) {
        Droppable<TFileNameEdit> file;
        Droppable<TFolderNameEdit> folder;
        TPathEdit &edit = c.folderEdit ? static_cast<TPathEdit &>(folder) : file;
        ChangeLog log(edit);
        if (c.folderEdit)
            drop(folder, native(c.dropped));
        else
            drop(file, native(c.dropped));
        EXPECT_EQ(edit.text(), QString(c.text)) << c.dropped;
        EXPECT_EQ(log.texts.size(), 1u);
    }
}

// The message travels in code page 1252 like every other error text.
TEST_F(PrefixTest, InvalidDroppedFileNameIsRefused) {
    struct Case {
        const char *name;
        std::string message;
    };
    const Case cases[] = {
        {"a?b.anl3", "Invalid file name - C:\\Layouts\\a?b.anl3"},
        {"\u00e4?b.anl3", "Invalid file name - C:\\Layouts\\\xe4?b.anl3"},
    };
    for (const Case &c : cases) {
        Droppable<TFileNameEdit> edit;
        edit.setText("C:\\keep.anl3");
        try {
            drop(edit, native(prefix.driveC() + "/Layouts/" + c.name));
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const kvl::Error &e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(edit.text(), "C:\\keep.anl3");
    }
}

TEST_F(PrefixTest, ChosenFileWithoutAnsiFormIsRefused) {
    FakeDialog dialog(native(prefix.driveC() + "/Layouts/\u0416.anl3")); // Cyrillic: no code page 1252 form
    TFileNameEdit edit;
    edit.setText("C:\\keep.anl3");
    EXPECT_THROW(edit.browse(), kvl::Error);
    EXPECT_EQ(edit.text(), "C:\\keep.anl3");
}

} // namespace

#include "widgets/path_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace kvl::widgets;

TEST(PathRules, WindowsFilterBecomesQtFilters) {
    struct Case {
        const char *windows;
        QStringList qt;
    };
    const Case cases[] = {
        {"ANL (*.anl3)|*.anl3", {"ANL (*.anl3) (*.anl3)"}},
        {"EXE (*.*)|*.exe", {"EXE (*.*) (*.exe)"}}, // the pattern, not the description, decides
        {"A|*.a;*.b|All|*.*", {"A (*.a *.b)", "All (*.*)"}},
        {"", {}},
        {"no pattern", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(qtNameFilters(c.windows), c.qt) << c.windows;
}

TEST(PathRules, ValidFileNames) {
    struct Case {
        const char *path;
        bool valid;
        const char *folder;
        const char *name;
    };
    const Case cases[] = {
        {"C:\\Layouts\\Demo.anl3", true, "C:\\Layouts", "Demo.anl3"},
        {"C:\\Demo.anl3", true, "C:\\", "Demo.anl3"},
        {"Demo.anl3", true, "", "Demo.anl3"},
        {"C:Demo.anl3", true, "C:", "Demo.anl3"},
        {"\\\\server\\share\\x.exe", true, "\\\\server\\share", "x.exe"},
        {"C:\\Layouts\\", false, "C:\\Layouts", ""},
        {"", false, "", ""},
        {"C:\\a?b.anl3", false, "C:\\", "a?b.anl3"},
        {"C:\\a\"b", false, "C:\\", "a\"b"},
        {"C:\\x:y", false, "C:\\", "x:y"},
        {"C:\\a|b", false, "C:\\", "a|b"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(isValidWindowsFileName(c.path), c.valid) << c.path;
        EXPECT_EQ(windowsFolderOf(c.path), QString(c.folder)) << c.path;
        EXPECT_EQ(windowsNameOf(c.path), QString(c.name)) << c.path;
    }
}

} // namespace

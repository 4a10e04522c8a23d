#include "i18n/toolkit_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

// Texts of the toolkit itself that a German user meets: the standard buttons, the file dialogs, an
// edit's context menu.
struct ToolkitText {
    const char *context;
    const char *english;
    const char *german;
};
constexpr ToolkitText kTexts[] = {
    {"QPlatformTheme", "Cancel", "Abbrechen"},
    {"QFileDialog", "Look in:", "Suchen in:"},
    {"QFileDialog", "File &name:", "Datei&name:"},
    {"QWidgetTextControl", "&Copy", "&Kopieren"},
};

void expectSpoken(bool german) {
    for (const ToolkitText &t : kTexts)
        EXPECT_EQ(QCoreApplication::translate(t.context, t.english),
                  QString::fromUtf8(german ? t.german : t.english))
            << t.english;
}

TEST(ToolkitTranslationTest, FollowsTheInterfaceLanguageAndIgnoresUnknownCodes) {
    kvl::i18n::followInterfaceLanguage("GER");
    ASSERT_TRUE(kvl::i18n::toolkitSpeaksGerman())
        << "qtbase_de.qm in none of "
        << kvl::i18n::toolkitCatalogueFolders().join(QLatin1Char(' ')).toStdString();
    expectSpoken(true);
    EXPECT_EQ(QLocale().language(), QLocale::German);
    kvl::i18n::followInterfaceLanguage("eng"); // sets nothing, as with the program's own texts
    expectSpoken(true);
    kvl::i18n::followInterfaceLanguage("ENG");
    EXPECT_FALSE(kvl::i18n::toolkitSpeaksGerman());
    expectSpoken(false);
    EXPECT_EQ(QLocale(), QLocale::system());
}

} // namespace

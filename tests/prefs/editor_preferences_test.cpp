#include "prefs/editor_preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "platform/error.h"
#include "platform/system.h"
#include "support/temp_prefix.h"

namespace kvl::prefs {

void PrintTo(const EditorPreferences &p, std::ostream *out) {
    *out << '{' << p.language << ", [" << p.lastSaveDir << "], " << p.showStart << ", " << p.useHints << ", "
         << p.closeConfirmOn << ", " << p.skinIndex << '}';
}

namespace {

using kvl::test::TempPrefix;
constexpr const char *kExecutableFolder = "/opt/kvl/";

EditorPreferences defaults() {
    EditorPreferences prefs;
    prefs.lastSaveDir = kExecutableFolder;
    return prefs;
}

class EditorPreferencesTest : public ::testing::Test {
protected:
    std::string iniPath() const { return folder.path() + "/settings.ini"; }
    EditorPreferences readFrom(const std::string &content) {
        TempPrefix::writeFile(iniPath(), content);
        return readEditorPreferences(iniPath(), kExecutableFolder);
    }
    std::string writeError(const EditorPreferences &prefs, const std::string &path) {
        try {
            writeEditorPreferences(prefs, path);
        } catch (const Error &error) {
            return error.what();
        }
        return {};
    }

    TempPrefix folder;
};

TEST_F(EditorPreferencesTest, ReadsTrickyValuesByTheProfileAndIntegerRules) {
    struct Case {
        const char *content;
        EditorPreferences expected;
    };
    const auto with = [](auto change) {
        EditorPreferences prefs = defaults();
        change(prefs);
        return prefs;
    };
    const Case cases[] = {
        {"", defaults()},
        {"[Other]\r\nLanguage=GER\r\n", defaults()},
        {"[User]\r\nLanguage=  GER  \r\n", with([](auto &p) { p.language = "GER"; })},
        {"[user]\r\nlanguage=FRA\r\n", with([](auto &p) { p.language = "FRA"; })},
        {"[User]\r\nLastSaveDir=\"C:\\Exports\"\r\n", with([](auto &p) { p.lastSaveDir = "C:\\Exports"; })},
        {"[User]\r\nLastSaveDir=\" /a b \"\r\n", with([](auto &p) { p.lastSaveDir = " /a b "; })},
        {"[User]\r\nLastSaveDir=\"\"\r\n", with([](auto &p) { p.lastSaveDir = ""; })},
        {"[User]\r\nLastSaveDir=\r\n", with([](auto &p) { p.lastSaveDir = ""; })},
        {"[User]\r\nShowStart=0x0\r\n", with([](auto &p) { p.showStart = 0; })},
        {"[User]\r\nShowStart=yes\r\n", defaults()},
        {"[User]\r\nShowStart=2\r\n", with([](auto &p) { p.showStart = 2; })},
        {"[User]\r\nCloseConfirmOn=\r\n", defaults()},
        {"[User]\r\nUseHints=0X10\r\n", with([](auto &p) { p.useHints = 16; })},
        {"[User]\r\nUseHints= '0' \r\n", with([](auto &p) { p.useHints = 0; })},
        {"[User]\r\nSelectedWinVersion=$FFFFFFFF\r\n", with([](auto &p) { p.skinIndex = -1; })},
        {"[User]\r\nSelectedWinVersion=7\r\n", with([](auto &p) { p.skinIndex = 7; })},
        {"[User]\r\nSelectedWinVersion=2147483648\r\n", defaults()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readFrom(c.content), c.expected) << c.content;
}

TEST_F(EditorPreferencesTest, MissingFileGivesDefaultsAndIsCreatedInKeyOrder) {
    EXPECT_EQ(readEditorPreferences(iniPath(), kExecutableFolder), defaults());
    ASSERT_EQ(writeError(defaults(), iniPath()), "");
    EXPECT_EQ(TempPrefix::readFile(iniPath()),
              "[User]\r\nLanguage=ENG\r\nLastSaveDir=\"/opt/kvl/\"\r\nShowStart=1\r\n"
              "UseHints=1\r\nCloseConfirmOn=1\r\nSelectedWinVersion=0\r\n");
}

TEST_F(EditorPreferencesTest, RepeatedRunsKeepTheFolderAndOtherLines) {
    TempPrefix::writeFile(iniPath(),
                          "; kept\r\n[Other]\r\nA=1\r\n[User]\r\nExtra=keep\r\nLastSaveDir=\" /x \"\r\n");
    EditorPreferences prefs = readEditorPreferences(iniPath(), kExecutableFolder);
    for (int run = 0; run < 3; ++run) {
        prefs.useHints = run;
        ASSERT_EQ(writeError(prefs, iniPath()), "");
        prefs = readEditorPreferences(iniPath(), kExecutableFolder);
    }
    EXPECT_EQ(prefs.lastSaveDir, " /x ");
    EXPECT_EQ(prefs.useHints, 2);
    const std::string text = TempPrefix::readFile(iniPath());
    EXPECT_TRUE(
        text.starts_with("; kept\r\n[Other]\r\nA=1\r\n[User]\r\nExtra=keep\r\nLastSaveDir=\" /x \"\r\n"))
        << text;
}

TEST_F(EditorPreferencesTest, RefusedWriteNamesTheFileAndLeavesItAsItWas) {
    TempPrefix::writeFile(iniPath(), "[User]\r\nLanguage=GER\r\n");
    ::chmod(iniPath().c_str(), 0444);
    EditorPreferences prefs = defaults();
    EXPECT_EQ(writeError(prefs, iniPath()), "Unable to write to " + iniPath());
    EXPECT_EQ(TempPrefix::readFile(iniPath()), "[User]\r\nLanguage=GER\r\n");

    const std::string missing = folder.path() + "/missing/settings.ini";
    EXPECT_EQ(writeError(prefs, missing), "Unable to write to " + missing);

    const std::string umlaut = folder.path() + "/J\xC3\xBCrgen/settings.ini"; // "ü" in a UTF-8 folder name
    EXPECT_EQ(writeError(prefs, umlaut), "Unable to write to " + folder.path() + "/J\xFCrgen/settings.ini");
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/missing"));
}

// The test program's folder is writable, as a portable copy's is.
TEST(PreferencesFilePath, IsBesideAWritableExecutable) {
    EXPECT_EQ(preferencesFilePath(platform::preferencesFolder()),
              platform::executableFolder() + "settings.ini");
}

} // namespace
} // namespace kvl::prefs

#include "prefs/prefix_choice.h"

#include "support/temp_prefix.h"

#include <gtest/gtest.h>

namespace kvl::prefs {
namespace {

using kvl::test::TempPrefix;

TEST(PrefixChoiceTest, KeptInItsOwnSectionBesideThePreferences) {
    struct Case {
        const char *before;
        PrefixChoice choice;
        bool kept;
        const char *after;
    };
    const Case cases[] = {
        {"", {"/home/u/.wine", true}, true, "[Prefix]\r\nPath=\"/home/u/.wine\"\r\nRemember=1\r\n"},
        {"[User]\r\nLanguage=GER\r\n[Prefix]\r\nPath=x\r\nRemember=1\r\n",
         {" /J\xc3\xbcrgen ", false},
         true,
         "[User]\r\nLanguage=GER\r\n[Prefix]\r\nPath=\" /J\xfcrgen \"\r\nRemember=0\r\n"},
        // A name the file's code page cannot hold is not kept rather than kept wrong.
        {"[User]\r\nLanguage=ENG\r\n", {"/home/\xe2\x98\xba", true}, false, "[User]\r\nLanguage=ENG\r\n"},
    };
    const TempPrefix scratch;
    const std::string ini = scratch.path() + "/settings.ini";
    for (const Case &c : cases) {
        TempPrefix::writeFile(ini, c.before);
        EXPECT_EQ(writePrefixChoice(c.choice, ini), c.kept) << c.after;
        EXPECT_EQ(TempPrefix::readFile(ini), c.after);
        EXPECT_EQ(readPrefixChoice(ini), c.kept ? c.choice : PrefixChoice{}) << c.after;
    }
    EXPECT_EQ(readPrefixChoice(scratch.path() + "/missing.ini"), PrefixChoice{});
}

} // namespace
} // namespace kvl::prefs

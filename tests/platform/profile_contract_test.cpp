#include "platform/error.h"
#include "platform/profile.h"
#include "profile_fixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace kvl::platform {
namespace {

using test::ContractFolder;

const std::string kSample = "top=before\r\n"
                            "[Main]\r\n"
                            "  Spaced Key  =  spaced value  \r\n"
                            "\tTabbed\t=\ttabbed\t\r\n"
                            "double=\"  in quotes  \"\r\n"
                            "single='single'\r\n"
                            "oneSided=\"open\r\n"
                            "mixed=\"mixed'\r\n"
                            "empty=\r\n"
                            "equals=a=b\r\n"
                            "bare\r\n"
                            ";comment=kept as a key\r\n"
                            "dup=first\r\n"
                            "Dup=second\r\n"
                            "\r\n"
                            "[Second]\r\n"
                            "only=second\r\n"
                            "[MAIN]\r\n"
                            "later=hidden\r\n"
                            "[Umlaut\xc4]\r\n"
                            "k=umlaut\r\n";

struct ReadCase {
    const char *name;
    std::string content;
    std::string section;
    std::string key;
    std::string expected;
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, ReturnsValueOrDefault) {
    const ContractFolder folder;
    folder.write("a.ini", GetParam().content);
    EXPECT_EQ(readProfileString(folder.file("a.ini"), GetParam().section, GetParam().key, "dflt"),
              GetParam().expected);
}

const std::string kLong(3000, 'y');

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    testing::Values(ReadCase{"OtherCase", kSample, "mAIN", "spaced KEY", "spaced value"},
                    ReadCase{"Tabs", kSample, "Main", "tabbed", "tabbed"},
                    ReadCase{"BlanksInsideQuotesKept", kSample, "Main", "double", "  in quotes  "},
                    ReadCase{"SingleQuotes", kSample, "Main", "single", "single"},
                    ReadCase{"OneSidedQuoteKept", kSample, "Main", "oneSided", "\"open"},
                    ReadCase{"MixedQuotesKept", kSample, "Main", "mixed", "\"mixed'"},
                    ReadCase{"EmptyValueIsNotDefault", kSample, "Main", "empty", ""},
                    ReadCase{"SecondEqualsSignBelongsToValue", kSample, "Main", "equals", "a=b"},
                    ReadCase{"NameWithoutEqualsHasNoValue", kSample, "Main", "bare", "dflt"},
                    ReadCase{"SemicolonLineIsAKey", kSample, "Main", ";comment", "kept as a key"},
                    ReadCase{"FirstOfDuplicateKeys", kSample, "Main", "DUP", "first"},
                    ReadCase{"SecondSectionOfSameNameUnread", kSample, "main", "later", "dflt"},
                    ReadCase{"KeyBeforeAnySection", kSample, "", "top", "before"},
                    ReadCase{"RequestedNamesTrimmed", kSample, " Second ", " only ", "second"},
                    ReadCase{"AccentedLetterSameCase", kSample, "umlaut\xc4", "K", "umlaut"},
                    ReadCase{"AccentedLetterOtherCaseDiffers", kSample, "umlaut\xe4", "K", "dflt"},
                    ReadCase{"MissingSection", kSample, "Nope", "k", "dflt"},
                    ReadCase{"MissingKey", kSample, "Second", "nope", "dflt"},
                    ReadCase{"LfOnly", "[A]\nk=lf\n[B]\nk=b\n", "A", "k", "lf"},
                    ReadCase{"NoFinalLineEnd", "[A]\r\nk=last", "A", "k", "last"},
                    ReadCase{"LongValueCut", "[A]\r\nk=" + kLong + "\r\n", "A", "k", kLong.substr(0, 2047)},
                    ReadCase{"EmptyFile", "", "A", "k", "dflt"}),
    [](const auto &instance) { return std::string(instance.param.name); });

TEST(ProfileReadDefault, MissingFileGivesDefault) {
    const ContractFolder folder;
    EXPECT_EQ(readProfileString(folder.file("none.ini"), "A", "k", "fallback"), "fallback");
    EXPECT_EQ(readProfileString(folder.file("none\\deeper.ini"), "A", "k", ""), "");
}

// Each write is read back through the same backend, since the two backends lay out files differently.
struct WriteCase {
    const char *name;
    std::optional<std::string> content;
    std::string section;
    std::string key;
    std::string value;
    std::string readBack;
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ValueReadsBackAndOtherKeysStay) {
    const ContractFolder folder;
    const auto path = folder.file("w.ini");
    if (GetParam().content)
        folder.write("w.ini", *GetParam().content);
    ASSERT_TRUE(writeProfileString(path, GetParam().section, GetParam().key, GetParam().value));
    flushProfile(path);
    EXPECT_EQ(readProfileString(path, GetParam().section, GetParam().key, "dflt"), GetParam().readBack);
    if (GetParam().content) {
        EXPECT_EQ(readProfileString(path, "One", "a", "dflt"), "1");
        EXPECT_EQ(readProfileString(path, "Two", "b", "dflt"), "2");
    }
}

const std::string kTwoSections = "[One]\r\na=1\r\nk=old\r\n\r\n[Two]\r\nb=2\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(WriteCase{"Replace", kTwoSections, "one", "K", "new", "new"},
                    WriteCase{"NewKeyInFirstSection", kTwoSections, "One", "added", "v", "v"},
                    WriteCase{"NewSection", kTwoSections, "Three", "c", "3", "3"},
                    WriteCase{"NewFile", std::nullopt, "User", "Language", "GER", "GER"},
                    WriteCase{"QuotedValue", kTwoSections, "One", "dir", "\" C:\\x \"", " C:\\x "},
                    WriteCase{"EmptyValue", kTwoSections, "One", "k", "", ""},
                    WriteCase{"NoFinalLineEnd", "[One]\r\na=1\r\n[Two]\r\nb=2", "Two", "c", "3", "3"},
                    WriteCase{"LfOnly", "[One]\na=1\n[Two]\nb=2\n", "One", "c", "3", "3"}),
    [](const auto &instance) { return std::string(instance.param.name); });

struct RefusedCase {
    const char *name;
    std::string section;
    std::string key;
    std::string value;
};

class ProfileRefusedEntry : public testing::TestWithParam<RefusedCase> {};

// Such entries would split the line and forge keys or sections: refused, the file untouched.
TEST_P(ProfileRefusedEntry, LeavesFileAsItWas) {
    const ContractFolder folder;
    folder.write("w.ini", kTwoSections);
    EXPECT_FALSE(
        writeProfileString(folder.file("w.ini"), GetParam().section, GetParam().key, GetParam().value));
    EXPECT_EQ(folder.read("w.ini"), kTwoSections);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRefusedEntry,
    testing::Values(RefusedCase{"LineBreakInValue", "One", "k", "x\r\n[Two]\r\nb=forged"},
                    RefusedCase{"LineFeedInKey", "One", "k\nb", "v"},
                    RefusedCase{"CarriageReturnInSection", "One\r", "k", "v"},
                    RefusedCase{"NulInValue", "One", "k", std::string("a\0b", 3)},
                    RefusedCase{"EqualsInKey", "One", "k=j", "v"},
                    RefusedCase{"BracketInSection", "One]", "k", "v"},
                    RefusedCase{"EmptyKey", "One", "", "v"}, RefusedCase{"EmptySection", "", "k", "v"}),
    [](const auto &instance) { return std::string(instance.param.name); });

TEST(ProfileRefusedFile, ReadOnlyFileUntouched) {
    const ContractFolder folder;
    folder.write("ro.ini", kTwoSections);
    folder.makeReadOnly("ro.ini");
    EXPECT_FALSE(writeProfileString(folder.file("ro.ini"), "One", "k", "new"));
    EXPECT_EQ(folder.read("ro.ini"), kTwoSections);
}

TEST(ProfileRefusedFile, MissingFolderCreatesNothing) {
    const ContractFolder folder;
    EXPECT_FALSE(writeProfileString(folder.file("missing\\w.ini"), "One", "k", "v"));
    EXPECT_FALSE(folder.exists("missing"));
}

TEST(ProfileRefusedFile, FolderInPlaceOfFile) {
    const ContractFolder folder;
    folder.makeFolder("dir.ini");
    EXPECT_FALSE(writeProfileString(folder.file("dir.ini"), "One", "k", "v"));
    EXPECT_EQ(readProfileString(folder.file("dir.ini"), "One", "k", "dflt"), "dflt");
}

TEST(IniFileObject, RefusedWriteRaisesWithPath) {
    const ContractFolder folder;
    const auto path = folder.hostPath("missing\\settings.ini");
    IniFile ini(hostFile(path));
    try {
        ini.writeString("User", "Language", "ENG");
        FAIL() << "no error raised";
    } catch (const Error &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

TEST(IniFileObject, WritesAndReads) {
    const ContractFolder folder;
    {
        IniFile ini(folder.file("settings.ini"));
        EXPECT_EQ(ini.readString("User", "Language", "ENG"), "ENG");
        ini.writeString("User", "Language", "GER");
        ini.writeString("User", "LastSaveDir", "\"C:\\x\\\"");
    }
    const IniFile ini(folder.file("settings.ini"));
    EXPECT_EQ(ini.readString("user", "language", "ENG"), "GER");
    EXPECT_EQ(ini.readString("User", "LastSaveDir", ""), "C:\\x\\");
}

} // namespace
} // namespace kvl::platform

#include "platform/wine/profile_text.h"

#include <gtest/gtest.h>

namespace kvl::platform {
namespace {

// Our writer touches only the line of the key it writes, or adds one; everything else stays byte
// for byte, unlike Windows' own writer, which lays the whole file out anew.
struct LayoutCase {
    const char *name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

class ProfileLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(ProfileLayout, ChangesOnlyTheWrittenLine) {
    EXPECT_EQ(withProfileValue(GetParam().before, GetParam().section, GetParam().key, GetParam().value),
              GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileLayout,
    testing::Values(
        LayoutCase{"ReplaceInPlace", "; c\r\n\r\n[One]\r\n  Key = old \r\nx=1\r\n", "one", "KEY", "new",
                   "; c\r\n\r\n[One]\r\n  Key =new\r\nx=1\r\n"},
        LayoutCase{"ReplaceFirstOfDuplicates", "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n", "A", "k", "9",
                   "[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n"},
        LayoutCase{"ReplaceNameWithoutValue", "[A]\r\nbare\r\n", "A", "bare", "v", "[A]\r\nbare=v\r\n"},
        LayoutCase{"NewKeyBeforeBlankLinesOfSection", "[One]\r\na=1\r\n\r\n[Two]\r\nb=2\r\n", "One", "k", "v",
                   "[One]\r\na=1\r\nk=v\r\n\r\n[Two]\r\nb=2\r\n"},
        LayoutCase{"NewKeyInEmptySection", "[One]\r\n[Two]\r\n", "One", "k", "v",
                   "[One]\r\nk=v\r\n[Two]\r\n"},
        LayoutCase{"NewKeyAfterLastLineWithoutLineEnd", "[A]\r\na=1", "A", "k", "v", "[A]\r\na=1\r\nk=v\r\n"},
        LayoutCase{"NewSectionAtEnd", "[A]\r\na=1\r\n", " B ", " k ", " v", "[A]\r\na=1\r\n[B]\r\nk= v\r\n"},
        LayoutCase{"NewSectionAfterMissingLineEnd", "[A]\r\na=1", "B", "k", "v",
                   "[A]\r\na=1\r\n[B]\r\nk=v\r\n"},
        LayoutCase{"NewFile", "", "User", "Language", "ENG", "[User]\r\nLanguage=ENG\r\n"},
        LayoutCase{"LfOnlyKeepsItsLineEnds", "[A]\na=1\n[B]\nb=2\n", "A", "a", "9", "[A]\na=9\n[B]\nb=2\n"},
        LayoutCase{"LfOnlyNewKey", "[A]\na=1\n[B]\nb=2\n", "A", "k", "v", "[A]\na=1\nk=v\r\n[B]\nb=2\n"},
        LayoutCase{"LoneCarriageReturns", "[A]\ra=1\r[B]\r", "b", "k", "v", "[A]\ra=1\r[B]\rk=v\r\n"},
        LayoutCase{"UnclosedHeaderIsNoSection", "[A\r\nk=1\r\n", "A", "k", "2",
                   "[A\r\nk=1\r\n[A]\r\nk=2\r\n"}),
    [](const auto &instance) { return std::string(instance.param.name); });

} // namespace
} // namespace kvl::platform

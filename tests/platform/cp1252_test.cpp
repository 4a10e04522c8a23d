#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace kvl::platform {
namespace {

struct Mapping {
    unsigned char byte;
    char16_t unit;
};

TEST(Cp1252, MapsTheWindowsTableBothWays) {
    const std::vector<Mapping> table = {
        {0x41, u'A'},   {0x80, u'\u20ac'}, {0x81, 0x0081},    {0x8A, u'\u0160'}, {0x8D, 0x008D},
        {0x8F, 0x008F}, {0x90, 0x0090},    {0x93, u'\u201c'}, {0x9D, 0x009D},    {0x9F, u'\u0178'},
        {0xA0, 0x00A0}, {0xC4, u'\u00c4'}, {0xDF, u'\u00df'}, {0xFF, u'\u00ff'}, {0x00, 0x0000},
    };
    for (const Mapping &m : table) {
        SCOPED_TRACE(int(m.byte));
        const std::string byte(1, static_cast<char>(m.byte));
        EXPECT_EQ(cp1252ToUtf16(byte), std::u16string(1, m.unit));
        EXPECT_EQ(utf16ToCp1252(std::u16string(1, m.unit)), byte);
    }
}

TEST(Cp1252, CharactersWithoutAForm) {
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"\u0100", "?"}, {u"\u20ac\u4e2d", "\x80?"}, {u"\xd83d\xde00", "?"}, // one character, one '?'
        {u"\xd83d", "?"}, {u"a\xde00z", "a?z"},
    };
    for (const auto &[units, expected] : cases)
        EXPECT_EQ(utf16ToCp1252(units), expected);
}

TEST(Cp1252, Utf8RoundTripsAndSurvivesMalformedInput) {
    const std::string all = [] {
        std::string text;
        for (int byte = 1; byte < 256; ++byte)
            text += static_cast<char>(byte);
        return text;
    }();
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\xe4\x80"), "\xc3\xa4\xe2\x82\xac");
    const std::vector<std::pair<std::string, std::string>> malformed = {
        {"\xc3", "?"},
        {"a\xe2\x82", "a??"},
        {"\xc0\xaf", "??"},
        {"\xed\xa0\x80", "???"},
        {"\xff"
         "b",
         "?b"},
        {"\xf0\x9f\x98\x80", "?"},
    };
    for (const auto &[utf8, expected] : malformed)
        EXPECT_EQ(utf8ToCp1252(utf8), expected) << utf8;
}

} // namespace
} // namespace kvl::platform

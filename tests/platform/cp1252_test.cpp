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

// Each kind of best-fit run at its ends and just outside them; the whole table is checked against Wine.
TEST(Cp1252, CharactersWithoutAFormTakeWindowsBestFit) {
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"\u0100\u0101\u0104\u0105", "AaAa"}, // capital and small letters taking turns
        {u"\u0139\u013a\u013b", "LlL"},        // ... from an odd unit on
        {u"\u0110\u0111", "\xd0"
                          "d"},                // a letter of the code page itself
        {u"\uff01\uff1e\uff20\uff5e", "!>@~"}, // full-width forms, one after the other
        {u"\uff1f\uff5f", "??"},               // the gap between two runs, and past the last
        {u"\u2000\u2006\u2007", "  ?"},        // one byte for a whole run
        {u"\u20ac\u4e2d\u00ff", "\x80?\xff"},
        {u"\xd83d\xde00", "??"}, // Windows converts unit by unit
        {u"\xd83d", "?"},
        {u"a\xde00z", "a?z"},
        {u"\uffff", "?"},
    };
    for (const auto &[units, expected] : cases) {
        EXPECT_EQ(utf16ToCp1252(units), expected);
        EXPECT_EQ(utf8ToCp1252(utf16ToUtf8(units)), expected);
    }
}

TEST(Cp1252, Utf16AndUtf8RoundTripExactlyTheWellFormedTexts) {
    const std::u16string wellFormed = u"a\u00e4\u20ac\xd83d\xde00\uffff";
    EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(wellFormed)), wellFormed);
    EXPECT_EQ(utf16ToUtf8(u"\u00e4\xd83d\xde00"), "\xc3\xa4\xf0\x9f\x98\x80");
    for (const std::u16string lone : {u"\xd83d", u"x\xde00", u"\xde00\xd83d"}) {
        EXPECT_NE(utf8ToUtf16(utf16ToUtf8(lone)), lone);
        EXPECT_NE(utf16ToUtf8(lone).find("\xef\xbf\xbd"), std::string::npos);
    }
    EXPECT_EQ(utf8ToUtf16("\xc3"), u"\ufffd");
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
        // A cut sequence is one "?", as Windows converts it; a continuation byte that makes the sequence
        // overlong, a surrogate or too large ends it, taken along.
        {"a\xe2\x82", "a?"},
        {"\xe4\x80x", "?x"},
        {"\xe4\x80\xe4\x80", "??"},
        {"\xf1\x80\x80x", "?x"},
        {"\xc0\xaf", "??"},
        {"\xe0\x80\x80", "??"},
        {"\xf4\x90\x80x", "??x"},
        {"\xed\xa0\x80", "??"},
        {"\xff"
         "b",
         "?b"},
        {"\xf0\x9f\x98\x80", "??"},
    };
    for (const auto &[utf8, expected] : malformed)
        EXPECT_EQ(utf8ToCp1252(utf8), expected) << utf8;
}

} // namespace
} // namespace kvl::platform

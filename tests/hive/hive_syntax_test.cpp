#include "platform/wine/hive_syntax.h"

#include <gtest/gtest.h>

namespace kvl::platform {
namespace {

using namespace std::string_literals;

std::string utf16(std::u16string_view units) {
    std::string bytes;
    for (const char16_t unit : units)
        bytes += static_cast<char>(unit & 0xFF), bytes += static_cast<char>(unit >> 8);
    return bytes;
}

struct LineCase {
    std::string line;
    std::u16string name;
    std::uint32_t type;
    std::string bytes;
};

// Every form a fresh prefix and `wine reg add` produce.
TEST(HiveSyntax, ReadsEveryValueFormWineWrites) {
    const std::vector<LineCase> cases = {
        {"@=\"default\"\n", u"", kRegSz, utf16(u"default\0"s)},
        {"\"Empty\"=\"\"\n", u"Empty", kRegSz, utf16(u"\0"s)},
        {"\"Sz\"=\"a \\\"q\\\" b\\\\c \\xe4 \\xdf \\x20ac %VAR%\"\n", u"Sz", kRegSz,
         utf16(u"a \"q\" b\\c \u00e4 \u00df \u20ac %VAR%\0"s)},
        {"\"Ex\"=str(2):\"C:\\\\x\\\\%USERPROFILE%\\\\\\xe4\"\n", u"Ex", kRegExpandSz,
         utf16(u"C:\\x\\%USERPROFILE%\\\u00e4\0"s)},
        {"\"Multi\"=str(7):\"one\\0two\\0\"\n", u"Multi", kRegMultiSz, utf16(u"one\0two\0\0"s)},
        {"\"Dw\"=dword:000003e8\n", u"Dw", kRegDword, std::string("\xe8\x03\0\0", 4)},
        {"\"Bin4\"=hex:01,02,03,04\n", u"Bin4", kRegBinary, "\x01\x02\x03\x04"},
        {"\"Long\"=hex:01,02,\\\n  03,\\\n  04\n", u"Long", kRegBinary, "\x01\x02\x03\x04"},
        {"\"None\"=hex(0):\n", u"None", 0, ""},
        {"\"Qw\"=hex(b):05,00,00,00,00,00,00,00\n", u"Qw", 11, std::string("\x05\0\0\0\0\0\0\0", 8)},
        {"\"n\\\"a\\\\m=e\"=\"\\x00e4b\\tx\\a\\e\\37\\1b\"\n", u"n\"a\\m=e", kRegSz,
         utf16(u"\u00e4b\tx\a\x1b\x1f\x01"
               u"b\0"s)},
        {"\"e\"=\"\\xd83d\\xde00\"\n", u"e", kRegSz, utf16(u"\xd83d\xde00\0"s)},
        {"\"raw\"=\"\xc3\xa4\"\n", u"raw", kRegSz, utf16(u"\u00e4\0"s)},
    };
    for (const LineCase &c : cases) {
        SCOPED_TRACE(c.line);
        std::u16string name;
        ValueData data;
        ASSERT_EQ(parseValueLine(c.line, 0, &name, &data), c.line.size() - 1);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(data.type, c.type);
        EXPECT_EQ(data.bytes, c.bytes);
    }
}

TEST(HiveSyntax, RejectsBrokenValueLines) {
    const std::vector<std::string> lines = {
        "\"a\"=\"unterminated\n",
        "\"a\"=\"bad escape \\q\"\n",
        "\"a\"=\"\\x\"\n",
        "\"a\"=\"raw\ttab\"\n",
        std::string("\"a\"=\"nul\0\"\n", 12),
        "\"a\"=\"\xc3\"\n",
        "\"a\"=dword:\n",
        "\"a\"=dword:123456789\n",
        "\"a\"=dword:0000000g\n",
        "\"a\"=hex:1,02\n",
        "\"a\"=hex:01,\n",
        "\"a\"=hex:01,\\\n02\n",
        "\"a\"=hex:01,\\\n",
        "\"a\"=hex(:01\n",
        "\"a\"=str(2)\"x\"\n",
        "\"a\"=\"x\" \n",
        "\"a\"=\"x\"",
        "\"a\"=quad:1\n",
        "\"a\" =\"x\"\n",
        "\"a\n",
        "@\n",
    };
    for (const std::string &line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(parseValueLine(line, 0, nullptr, nullptr), kBad);
    }
}

struct HeaderCase {
    std::string line;
    bool valid;
    std::u16string path;
};

TEST(HiveSyntax, ReadsKeyHeaders) {
    const std::vector<HeaderCase> cases = {
        {"[Software\\\\Test\\\\Sub Key] 1796799008\n", true, u"Software\\Test\\Sub Key"},
        {"[Software\\\\T\\[x\\]y\"z] 1\n", true, u"Software\\T[x]y\"z"},
        {"[Software\\\\\\xdcml]\n", true, u"Software\\\u00dcml"},
        {"[Software] \n", false, u""},
        {"[Software] 12a\n", false, u""},
        {"[Software 1\n", false, u""},
        {"[Software]x\n", false, u""},
    };
    for (const HeaderCase &c : cases) {
        SCOPED_TRACE(c.line);
        std::u16string path;
        const std::size_t end = parseHeaderLine(c.line, 0, &path);
        EXPECT_EQ(end != kBad, c.valid);
        if (c.valid) {
            EXPECT_EQ(path, c.path);
        }
    }
}

// What we write must read back as the same units, whatever they are.
TEST(HiveSyntax, EscapedStringsReadBackUnchanged) {
    const std::vector<std::u16string> texts = {
        u"",
        u"plain",
        u"\"quotes\" and \\backslashes\\",
        u"\u00e4b \u00e4 \u20ac1 \u20ac",
        u"\t\r\n\a\b\v\f\x1b",
        u"\x01"
        u"7 \x1f"
        u"0 \x02x"s,
        u"\0"
        u"1\0"s,
        u"[brackets]",
        u"\xd83d\xde00",
    };
    for (const std::u16string &text : texts) {
        const std::string line = "\"n\"=" + formatStringData(text) + "\n";
        SCOPED_TRACE(line);
        ValueData data;
        ASSERT_NE(parseValueLine(line, 0, nullptr, &data), kBad);
        EXPECT_EQ(data.bytes, utf16(text + u'\0'));
        const std::string path = "[" + escapeHiveString(text, "[]") + "]\n";
        std::u16string read;
        ASSERT_NE(parseHeaderLine(path, 0, &read), kBad);
        EXPECT_EQ(read, text);
    }
}

TEST(HiveSyntax, NamesCompareWithoutCase) {
    EXPECT_TRUE(sameName(u"Software\\Varnel", u"SOFTWARE\\varnel"));
    EXPECT_TRUE(sameName(u"\u00e4\u00f6\u00fc\u00ff\u0161\u0153\u017e",
                         u"\u00c4\u00d6\u00dc\u0178\u0160\u0152\u017d"));
    EXPECT_FALSE(sameName(u"\u00f7", u"\u00d7"));
    EXPECT_FALSE(sameName(u"ab", u"abc"));
}

} // namespace
} // namespace kvl::platform

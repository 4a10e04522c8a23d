#include "platform/wine/reg_file.h"

#include <gtest/gtest.h>

namespace kvl::platform {
namespace {

const std::u16string kKey = u"HKEY_CURRENT_USER\\Software\\Varnel\\KVL 17.00\\QTRX";

std::string utf16le(std::u16string_view text) {
    std::string bytes = "\xff\xfe";
    for (const char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

// Wine's export of a key with a subkey, as its registry tool writes it.
const std::u16string kExport =
    u"Windows Registry Editor Version 5.00\r\n\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Varnel\\KVL 17.00\\qtrx]\r\n"
    u"@=\"default\"\r\n"
    u"\"ANLPath\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,76,00,e4,00,ac,20,00,\\\r\n"
    u"  00\r\n"
    u"\"LastANL\"=\"C:\\\\\u00e4 \\\"q\\\" \u20ac\tx\\r\\n\"\r\n"
    u"\"Na\\\"me\\\\\"=dword:fffffffe\r\n"
    u"\"Empty\"=\"\"\r\n"
    u"\"Bin\"=hex:\r\n"
    u"\"Q\"=hex(b):01,02,03,04,05,06,07,08\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Varnel\\KVL 17.00\\QTRX\\Sub]\r\n"
    u"\"S\"=\"s\"\r\n\r\n";

TEST(RegFile, ReadsTheValuesOfTheExportedKeyOnly) {
    const auto values = exportedValues(utf16le(kExport), kKey);
    ASSERT_TRUE(values);
    const std::vector<NamedValue> expected = {
        {u"", stringData(u"default")},
        {u"ANLPath", {kRegExpandSz, std::string("%\0T\0E\0M\0P\0%\0\\\0v\0\xe4\0\xac\x20\0\0", 22)}},
        {u"LastANL", stringData(u"C:\\\u00e4 \"q\" \u20ac\tx\r\n")},
        {u"Na\"me\\", dwordData(0xfffffffe)},
        {u"Empty", stringData(u"")},
        {u"Bin", {kRegBinary, ""}},
        {u"Q", {11, "\x01\x02\x03\x04\x05\x06\x07\x08"}},
    };
    ASSERT_EQ(values->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((*values)[i].name, expected[i].name);
        EXPECT_EQ((*values)[i].data.type, expected[i].data.type);
        EXPECT_EQ((*values)[i].data.bytes, expected[i].data.bytes);
    }
}

TEST(RegFile, RefusesWhatIsNotAnExportOfTheKey) {
    const auto withValue = [](std::u16string line) {
        return u"Windows Registry Editor Version 5.00\r\n\r\n[" + kKey + u"]\r\n" + line + u"\r\n\r\n";
    };
    struct Case {
        const char *what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"no byte-order mark", utf16le(kExport).substr(2)},
        {"an odd byte at the end", utf16le(kExport) + "x"},
        {"another signature", utf16le(u"REGEDIT4\r\n\r\n[" + kKey + u"]\r\n")},
        {"another key", utf16le(u"Windows Registry Editor Version 5.00\r\n\r\n"
                                u"[HKEY_LOCAL_MACHINE\\Software\\Varnel\\KVL 17.00\\QTRX]\r\n")},
        {"no key", utf16le(u"Windows Registry Editor Version 5.00\r\n")},
        {"an escape the tool never writes", utf16le(withValue(u"\"A\"=\"a\\tb\""))},
        {"an open quote", utf16le(withValue(u"\"A\"=\"ab"))},
        {"text after the quote", utf16le(withValue(u"\"A\"=\"ab\" x"))},
        {"a short dword", utf16le(withValue(u"\"A\"=dword:0000001"))},
        {"a bad hex byte", utf16le(withValue(u"\"A\"=hex:01,0g"))},
        {"a hex list ending in a comma", utf16le(withValue(u"\"A\"=hex:01,"))},
        {"no data", utf16le(withValue(u"\"A\""))},
        {"an unknown form", utf16le(withValue(u"\"A\"=qword:1"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(exportedValues(c.bytes, kKey));
    }
}

TEST(RegFile, AnImportFileReadsBackAsTheValuesADirectWriteStores) {
    const std::vector<NamedValue> values = {
        {u"LastANL", stringData(u"C:\\Programme\\\u00e4\u00df\u20ac\\\"Lua\" %EDITOR%\t\r\n\\")},
        {u"Empty", stringData(u"")},
        {u"  blanks  ", stringData(u"  ")},
        {u"MaxObj", dwordData(2222)},
        {u"Neg", dwordData(0xfffffffe)},
        {u"", stringData(u"default")},
    };
    const std::string file = importFile(kKey, values);
    EXPECT_EQ(file.substr(0, 8), std::string("\xff\xfeW\0i\0n\0", 8));
    const auto read = exportedValues(file, kKey);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ((*read)[i].name, values[i].name);
        EXPECT_EQ((*read)[i].data.bytes, values[i].data.bytes) << i;
        EXPECT_EQ((*read)[i].data.type, values[i].data.type) << i;
    }
    EXPECT_NE(file.find(utf16le(u"\"MaxObj\"=dword:000008ae\r\n").substr(2)), std::string::npos);
}

TEST(RegFile, OnlyPlainStringsAndDwordsImportExactly) {
    EXPECT_TRUE(importable(stringData(u"a")));
    EXPECT_TRUE(importable(stringData(u"")));
    EXPECT_TRUE(importable(dwordData(1)));
    EXPECT_FALSE(importable(stringData(std::u16string(u"a\0b", 3))));
    EXPECT_FALSE(importable({kRegExpandSz, stringData(u"a").bytes}));
    EXPECT_FALSE(importable({kRegDword, "\x01\x02\x03\x04\x05"}));
    EXPECT_FALSE(importable({kRegSz, ""}));
}

} // namespace
} // namespace kvl::platform

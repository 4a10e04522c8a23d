#include "host/host_settings.h"

#include <gtest/gtest.h>

namespace kvl::host {
namespace {

TEST(HostSettings, KeyPathIsBuiltFromTheVersion) {
    EXPECT_EQ(hostKeyPath(17), "\\SOFTWARE\\Varnel\\KVL 17.00\\QTRX");
    EXPECT_EQ(hostKeyPath(9), "\\SOFTWARE\\Varnel\\KVL 9.00\\QTRX");
}

TEST(HostSettings, MaxObjLoadKeepsTheFourLeadingHexDigits) {
    const std::pair<std::uint32_t, const char *> cases[] = {
        {0, "0"},          {1000, "1000"},         {2500, "2500"},
        {65535, "65535"},  {65536, "4096"},        {74565, "4660"},
        {100000, "6250"},  {2147483648u, "32768"}, {4294967295u, "65535"},
        {1048576, "4096"}, {0x0FFFFFFF, "65535"},
    };
    for (const auto &[stored, shown] : cases)
        EXPECT_EQ(maxObjLoadText(stored), shown) << stored;
}

TEST(HostSettings, MaxObjHexIsUpperCaseAndPaddedToFourDigits) {
    const std::pair<std::int32_t, const char *> cases[] = {
        {1000, "03E8"},   {2500, "09C4"},   {0, "0000"},    {65535, "FFFF"},
        {65536, "10000"}, {-1, "FFFFFFFF"}, {4096, "1000"}, {10, "000A"},
    };
    for (const auto &[value, hex] : cases)
        EXPECT_EQ(maxObjHex(value), hex) << value;
}

TEST(HostSettings, FilterValueIsInvertedAndDefaultsToOne) {
    const std::pair<const char *, bool> cases[] = {
        {"2", true},   {"0", true},   {"-1", true},  {"0x0", true},  {"1", false}, {"0x1", false},
        {"$1", false}, {" 1", false}, {"1 ", false}, {"abc", false}, {"", false},  {"0x", false},
    };
    for (const auto &[text, checked] : cases)
        EXPECT_EQ(showAlwaysDeprecatedFromFilter(text), checked) << '"' << text << '"';
}

TEST(HostSettings, LanguageNamesMatchBothCodesExactly) {
    struct Case {
        const char *host;
        const char *interface;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"ENG", "ENG", "English"},        {"ENG", "GER", "Englisch"},   {"FRA", "ENG", "French"},
        {"FRA", "GER", "Franz\xF6sisch"}, {"GER", "ENG", "German"},     {"GER", "GER", "Deutsch"},
        {"eng", "ENG", std::nullopt},     {"ENG", "eng", std::nullopt}, {"ITA", "ENG", std::nullopt},
        {"ENG", "", std::nullopt},        {"", "GER", std::nullopt},    {"ENG ", "ENG", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(hostLanguageName(c.host, c.interface), c.name) << c.host << '/' << c.interface;
}

} // namespace
} // namespace kvl::host

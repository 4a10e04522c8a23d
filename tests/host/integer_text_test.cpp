#include "host/integer_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace kvl::host {
namespace {

struct AcceptedCase {
    const char *text;
    std::int32_t value;
};

TEST(IntegerTextRule, AcceptsDecimalAndHexadecimalForms) {
    const AcceptedCase cases[] = {
        {"0", 0},
        {"1000", 1000},
        {"   42", 42},
        {"+7", 7},
        {"-7", -7},
        {"0009", 9},
        {"0000000000000012", 12},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"$80000000", INT_MIN},
        {"-$80000000", INT_MIN},
        {"$000000001", 1},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X1a", 26},
        {"-$10", -16},
        {" -0x1", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseIntegerText(c.text), c.value) << '"' << c.text << '"';
}

TEST(IntegerTextRule, RejectsEverythingElse) {
    const char *const cases[] = {
        "",    " ",          "-",           "+",          "$",
        "0x",  "x",          "12 ",         "\t12",       "1a",
        "1.0", "--1",        "- 1",         "$ 1",        "0x-1",
        "$-1", "2147483648", "-2147483649", "$100000000", "99999999999999999999",
        "1e3", "0b1",
    };
    for (const char *text : cases)
        EXPECT_EQ(parseIntegerText(text), std::nullopt) << '"' << text << '"';
}

TEST(IniIntegerRule, TurnsZeroXIntoDollarAndFallsBackToDefault) {
    struct Case {
        const char *text;
        std::int32_t defaultValue;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"0x0", 5, 0},        {"0X10", 0, 16}, {"0xFFFFFFFF", 0, -1}, {"0x", 5, 5}, {"yes", 1, 1},
        {"", 1, 1},           {"$10", 0, 16},  {"7", 0, 7},           {" 3", 0, 3}, {"3 ", 9, 9},
        {"2147483648", 4, 4}, {"-0x1", 8, -1}, {"0xG", 2, 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(iniInteger(c.text, c.defaultValue), c.expected) << '"' << c.text << '"';
}

TEST(IntegerTextRule, MessageNamesTheRejectedText) {
    EXPECT_EQ(invalidIntegerMessage("12a"), "'12a' is not a valid integer value");
}

} // namespace
} // namespace kvl::host

#include "platform/wine/case_fold.h"

#include <algorithm>

namespace kvl::platform {

namespace {

unsigned char toUpper1252(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: // s with caron
    case 0x9C: // oe
    case 0x9E: // z with caron
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF: // y with diaeresis
        return 0x9F;
    default:
        return c;
    }
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return toUpper1252(static_cast<unsigned char>(x)) == toUpper1252(static_cast<unsigned char>(y));
    });
}

} // namespace kvl::platform

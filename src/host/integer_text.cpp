#include "host/integer_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace kvl::host {

namespace {

// Length of the hexadecimal prefix at the start of the text, 0 when there is none.
std::size_t hexPrefixLength(std::string_view text) {
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        return 1;
    if (text.starts_with("0x") || text.starts_with("0X"))
        return 2;
    return 0;
}

// The magnitude of the digits, or nullopt when a digit is invalid, there is none, or it passes the limit.
std::optional<std::uint64_t> magnitude(std::string_view digits, unsigned base, std::uint64_t limit) {
    std::uint64_t value = 0;
    const char *last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, value, static_cast<int>(base));
    if (error != std::errc() || end != last || value > limit)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int32_t> parseIntegerText(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);

    if (const std::size_t prefix = hexPrefixLength(text)) {
        const auto value = magnitude(text.substr(prefix), 16, std::numeric_limits<std::uint32_t>::max());
        if (!value)
            return std::nullopt;
        // Hexadecimal is a bit pattern: all 32 bits count, and the sign negates the signed value.
        const auto bits = static_cast<std::uint32_t>(*value);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }

    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    const auto value = magnitude(text, 10, limit);
    if (!value)
        return std::nullopt;
    const auto signedValue = static_cast<std::int64_t>(*value);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

std::int32_t iniInteger(std::string_view text, std::int32_t defaultValue) {
    std::string converted(text);
    if (converted.size() > 2 && (converted.starts_with("0x") || converted.starts_with("0X")))
        converted.replace(0, 2, "$");
    return parseIntegerText(converted).value_or(defaultValue);
}

std::string invalidIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

} // namespace kvl::host

#include "host/host_settings.h"

#include <array>
#include <cctype>
#include <charconv>

#include "host/integer_text.h"

namespace kvl::host {

std::string hostKeyPath(int version) {
    return "\\SOFTWARE\\Varnel\\KVL " + std::to_string(version) + ".00\\QTRX";
}

std::string maxObjLoadText(std::uint32_t stored) {
    // The host's own reader keeps only the four leading digits of the zero-padded hex form.
    while (stored > 0xFFFF)
        stored >>= 4;
    return std::to_string(stored);
}

std::string maxObjHex(std::int32_t value) {
    std::array<char, 8> digits{};
    const auto end =
        std::to_chars(digits.data(), digits.data() + digits.size(), static_cast<std::uint32_t>(value), 16)
            .ptr;
    std::string hex(digits.data(), end);
    for (char &c : hex)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return hex.size() < 4 ? std::string(4 - hex.size(), '0') + hex : hex;
}

bool showAlwaysDeprecatedFromFilter(std::string_view text) { return iniInteger(text, 1) != 1; }

std::optional<std::string> hostLanguageName(std::string_view hostCode, std::string_view interfaceCode) {
    struct Entry {
        std::string_view hostCode;
        std::string_view english;
        std::string_view german;
    };
    static constexpr std::array<Entry, 3> names{{
        {"ENG", "English", "Englisch"},
        {"FRA", "French", "Franz\xF6sisch"}, // code page 1252: 0xF6 is "ö"
        {"GER", "German", "Deutsch"},
    }};
    for (const Entry &entry : names) {
        if (entry.hostCode != hostCode)
            continue;
        if (interfaceCode == "ENG")
            return std::string(entry.english);
        if (interfaceCode == "GER")
            return std::string(entry.german);
    }
    return std::nullopt;
}

} // namespace kvl::host

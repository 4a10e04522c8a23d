#include "platform/profile_entry.h"

namespace kvl::platform {

namespace {

constexpr std::string_view kLineBreaking{"\r\n\0", 3};

// A name of blanks alone is trimmed to nothing when it is read.
bool hasName(std::string_view name) {
    return name.find_first_not_of(kProfileBlanks) != std::string_view::npos;
}

// A key line that begins with "[" would read as a section header.
bool looksLikeHeader(std::string_view key) { return key[key.find_first_not_of(kProfileBlanks)] == '['; }

bool staysOnOneLine(std::string_view text) {
    return text.find_first_of(kLineBreaking) == std::string_view::npos;
}

} // namespace

bool isStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value) {
    return hasName(section) && hasName(key) && staysOnOneLine(section) && staysOnOneLine(key) &&
           staysOnOneLine(value) && section.find(']') == std::string_view::npos &&
           key.find('=') == std::string_view::npos && !looksLikeHeader(key);
}

} // namespace kvl::platform

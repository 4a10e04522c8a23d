#include "platform/profile_entry.h"

namespace kvl::platform {

namespace {

constexpr std::string_view kLineBreaking{"\r\n\0", 3};

bool staysOnOneLine(std::string_view text) {
    return text.find_first_of(kLineBreaking) == std::string_view::npos;
}

} // namespace

bool isStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value) {
    return !section.empty() && !key.empty() && staysOnOneLine(section) && staysOnOneLine(key) &&
           staysOnOneLine(value) && section.find(']') == std::string_view::npos &&
           key.find('=') == std::string_view::npos && key.front() != '[';
}

} // namespace kvl::platform

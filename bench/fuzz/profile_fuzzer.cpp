// Feeds arbitrary bytes to the profile engine as file content and as the names and value of a write.
// Beyond not crashing, it checks what callers rely on: reads stay within 2047 characters, a value
// written reads back, and a write leaves every other key's value as it was.
#include "platform/profile_entry.h"
#include "platform/wine/profile_encoding.h"
#include "platform/wine/profile_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kvl::platform;

// Takes a field of up to 15 bytes, its length given by the low bits of the first byte.
std::string takeField(std::string_view &input) {
    if (input.empty())
        return {};
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(input[0]) & 15, input.size() - 1);
    std::string field(input.substr(1, length));
    input.remove_prefix(1 + length);
    return field;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

// A value reads back as written when reading has nothing to take away from it.
bool readsBackVerbatim(const std::string &value) {
    return value.find_first_of(std::string_view(" \t\v\f\"'\0", 7)) == std::string::npos;
}

std::string canonicalName(std::string_view name) {
    const auto first = name.find_first_not_of(" \t\v\f");
    std::string canonical(first == std::string_view::npos
                              ? ""
                              : name.substr(first, name.find_last_not_of(" \t\v\f") - first + 1));
    for (auto &c : canonical)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return canonical;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string section = takeField(input), key = takeField(input), value = takeField(input);
    const std::string otherSection = takeField(input), otherKey = takeField(input);
    const std::string_view text = input;

    const auto before = lookupProfileValue(text, section, key);
    check(!before || before->size() <= 2047);
    check(profileDefault(value).size() <= value.size());
    (void)profileTextAsAnsi(text);
    if (!isStorableProfileEntry(section, key, value))
        return 0;
    (void)profileBytesWithValue(text, section, key, value);

    const std::string after = withProfileValue(text, section, key, value);
    if (readsBackVerbatim(value))
        check(lookupProfileValue(after, section, key) == value.substr(0, 2047));
    if (isStorableProfileEntry(otherSection, otherKey, "") &&
        (canonicalName(otherSection) != canonicalName(section) ||
         canonicalName(otherKey) != canonicalName(key)))
        check(lookupProfileValue(text, otherSection, otherKey) ==
              lookupProfileValue(after, otherSection, otherKey));
    return 0;
}

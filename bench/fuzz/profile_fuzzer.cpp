// Feeds arbitrary bytes to the profile engine as file content and as the names and value of a write.
// Beyond not crashing, it checks what callers rely on: reads stay within 2047 characters; the streaming
// reader gives the same answer however the file's bytes arrive in pieces; every entry the writer accepts
// is found again by a read, with the value a read of that line gives anywhere (the value itself where
// reading has nothing to take away); a write leaves every other key's value as it was; and a file with a
// byte-order mark takes the same write and gives the same value back.
#include "platform/profile_entry.h"
#include "platform/wine/profile_encoding.h"
#include "platform/wine/profile_stream.h"
#include "platform/wine/profile_text.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kvl::platform;

constexpr std::array<std::string_view, 4> kMarks = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};

// Takes a field of up to 15 bytes, its length given by the low bits of the first byte; the high bits
// are left to the caller.
std::string takeField(std::string_view &input, unsigned *highBits = nullptr) {
    if (input.empty())
        return {};
    const auto first = static_cast<unsigned char>(input[0]);
    if (highBits)
        *highBits = first >> 4;
    const std::size_t length = std::min<std::size_t>(first & 15, input.size() - 1);
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
    return value.find_first_of(std::string(kProfileBlanks) + std::string("\"'\0", 3)) == std::string::npos;
}

std::string canonicalName(std::string_view name) {
    const auto first = name.find_first_not_of(kProfileBlanks);
    std::string canonical(first == std::string_view::npos
                              ? ""
                              : name.substr(first, name.find_last_not_of(kProfileBlanks) - first + 1));
    for (auto &c : canonical)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return canonical;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char *>(data), size);
    unsigned markChoice = 0;
    unsigned pieceChoice = 0;
    const std::string section = takeField(input, &markChoice), key = takeField(input, &pieceChoice),
                      value = takeField(input);
    const std::string otherSection = takeField(input), otherKey = takeField(input);
    const std::string_view text = input;
    const std::string marked = std::string(kMarks[markChoice % kMarks.size()]) + std::string(text);

    check(profileDefault(value).size() <= std::max<std::size_t>(value.size(), 1));
    const auto beforeMarked = profileValue(marked, section, key);
    check(!beforeMarked || beforeMarked->size() <= 2047);
    check(streamedProfileValue(readerOf(marked, 1 + pieceChoice), section, key) == beforeMarked);
    if (!isStorableProfileEntry(section, key, value))
        return 0;

    const std::string after = withProfileValue(text, section, key, value);
    const std::string alone = withProfileValue("", section, key, value);
    // The checks of 8-bit text need texts that do not begin with a byte-order mark.
    const auto unmarked = [](const std::string &bytes) { return decodedProfileText(bytes) == bytes; };
    if (!unmarked(std::string(text)) || !unmarked(after) || !unmarked(alone))
        return 0;
    const auto readBack = profileValue(after, section, key);
    const auto readAlone = profileValue(alone, section, key);
    check(readBack.has_value() && readBack == readAlone);
    if (readsBackVerbatim(value))
        check(readBack == value);
    if (isStorableProfileEntry(otherSection, otherKey, "") &&
        (canonicalName(otherSection) != canonicalName(section) ||
         canonicalName(otherKey) != canonicalName(key)))
        check(profileValue(text, otherSection, otherKey) == profileValue(after, otherSection, otherKey));

    if (const auto changed = profileBytesWithValue(marked, section, key, value))
        check(profileValue(*changed, section, key) == readAlone);
    return 0;
}

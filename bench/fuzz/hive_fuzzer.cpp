// Feeds arbitrary text to the hive reader; whatever it accepts must take an edit and still read back.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/wine/hive_edit.h"
#include "platform/wine/hive_scan.h"
#include "platform/wine/hive_syntax.h"

using namespace kvl::platform;
using namespace std::string_literals;

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2\n";
constexpr std::u16string_view kKey = u"k";

// The values of the key in the text, parsed the way a read does; the data of the value called
// `wanted`, if there is one: of two lines of that name the later, as Wine reads them.
std::optional<ValueData> readValues(std::string_view text, const KeySpan &key, std::u16string_view wanted) {
    std::optional<ValueData> found;
    for (std::size_t pos = key.body; pos < key.end; pos = text.find('\n', pos) + 1) {
        if (text[pos] != '"' && text[pos] != '@')
            continue;
        std::u16string name;
        ValueData data;
        pos = parseValueLine(text, pos, &name, &data);
        if (pos == kBad)
            std::abort(); // the scan accepted a line that does not parse
        if (sameName(name, wanted))
            found = data;
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
    std::string text(reinterpret_cast<const char *>(bytes), size);
    // Most inputs get the signature, so the fuzzer spends its time on the lines after it.
    if (size > 0 && bytes[0] % 4 != 0)
        text = std::string(kSignature) + text.substr(1);
    const HiveScan scan = scanHive(text, kKey);
    if (!scan.valid || !scan.key)
        return 0;
    readValues(text, *scan.key, u"");
    const std::u16string stored = u"v\0\t\u20ac\\\"1"s;
    const std::vector<ValueEdit> edits = {{u"N\"\\\u00c4", formatStringData(stored)},
                                          {u"", formatDwordData(0xDEADBEEF)}};
    const std::string edited = text.substr(0, scan.key->header) +
                               editSection(text, *scan.key, kKey, edits, std::chrono::system_clock::now()) +
                               text.substr(scan.key->end);
    const HiveScan again = scanHive(edited, kKey);
    if (!again.valid || !again.key || again.key->implicit)
        std::abort(); // an edit made a readable hive unreadable
    const auto storedText = readValues(edited, *again.key, u"n\"\\\u00e4");
    const auto number = readValues(edited, *again.key, u"");
    if (!storedText || storedText->bytes != stringData(stored).bytes || !number ||
        number->bytes != dwordData(0xDEADBEEF).bytes)
        std::abort(); // the edit did not store what it was given
    return 0;
}

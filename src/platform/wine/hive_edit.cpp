#include "platform/wine/hive_edit.h"

#include <algorithm>
#include <cstdio>

#include "platform/wine/hive_syntax.h"

namespace kvl::platform {

namespace {

using Clock = std::chrono::system_clock;

std::string headerSeconds(Clock::time_point now) {
    return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count());
}

// FILETIME: 100 ns steps since 1601, as Wine writes it in hex.
std::string timeLine(Clock::time_point now) {
    constexpr long long kEpochDifference = 116444736000000000LL;
    const long long ticks =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count() / 100 +
        kEpochDifference;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "#time=%llx\n", ticks);
    return buffer;
}

std::string valueLine(const ValueEdit &edit) {
    const std::string name = edit.name.empty() ? "@" : "\"" + escapeHiveString(edit.name, "\"") + "\"";
    return name + "=" + edit.data + "\n";
}

// The header line with its seconds renewed; a header without them is left alone.
std::string renewedHeader(std::string_view header, Clock::time_point now) {
    const std::size_t close = header.rfind(']');
    if (close == std::string_view::npos || close + 1 >= header.size() || header[close + 1] != ' ')
        return std::string(header);
    return std::string(header.substr(0, close + 2)) + headerSeconds(now) + "\n";
}

std::string newSection(std::u16string_view keyPath, const std::vector<ValueEdit> &edits,
                       Clock::time_point now) {
    std::string section = "[" + escapeHiveString(keyPath, "[]") + "] " + headerSeconds(now) + "\n";
    section += timeLine(now);
    for (const ValueEdit &edit : edits)
        section += valueLine(edit);
    return section + "\n";
}

} // namespace

std::optional<std::size_t> lastValueLine(std::string_view text, const KeySpan &key,
                                         std::u16string_view name) {
    std::optional<std::size_t> last;
    for (std::size_t pos = key.body; pos < key.end; pos = text.find('\n', pos) + 1) {
        if (text[pos] != '"' && text[pos] != '@')
            continue;
        std::u16string valueName;
        parseValueName(text, pos, &valueName);
        if (sameName(valueName, name))
            last = pos;
    }
    return last;
}

std::string editSection(std::string_view text, const KeySpan &key, std::u16string_view keyPath,
                        const std::vector<ValueEdit> &edits, Clock::time_point now) {
    if (key.implicit)
        return newSection(keyPath, edits, now);
    std::vector<std::optional<std::size_t>> lines;
    lines.reserve(edits.size());
    for (const ValueEdit &edit : edits)
        lines.push_back(lastValueLine(text, key, edit.name));
    std::string out = renewedHeader(text.substr(key.header, key.body - key.header), now);
    // One allocation: a key may hold a value of many megabytes, which growing step by step would copy often.
    out.reserve(key.end - key.header + 4096);
    const std::size_t afterHeader = out.size();
    bool hadTime = false;
    std::size_t contentEnd = out.size(); // after the last line that is not blank
    for (std::size_t pos = key.body; pos < key.end;) {
        std::size_t eol = text.find('\n', pos);
        const char first = text[pos];
        if (text.compare(pos, 6, "#time=") == 0) {
            out += timeLine(now);
            hadTime = true;
        } else if (first == '"' || first == '@') {
            const std::size_t dataStart = parseValueName(text, pos, nullptr);
            eol = parseValueLine(text, pos, nullptr, nullptr);
            const auto line = std::find(lines.begin(), lines.end(), pos);
            if (line != lines.end()) {
                out.append(text.substr(pos, dataStart - pos)).append(edits[line - lines.begin()].data) +=
                    '\n';
            } else {
                out.append(text.substr(pos, eol + 1 - pos));
            }
        } else {
            out.append(text.substr(pos, eol + 1 - pos));
        }
        if (first != '\n')
            contentEnd = out.size();
        pos = eol + 1;
    }
    std::string added;
    for (std::size_t i = 0; i < edits.size(); ++i)
        if (!lines[i])
            added += valueLine(edits[i]);
    out.insert(contentEnd, added);
    if (!hadTime)
        out.insert(afterHeader, timeLine(now));
    return out;
}

} // namespace kvl::platform

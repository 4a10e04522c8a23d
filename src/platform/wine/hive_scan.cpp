#include "platform/wine/hive_scan.h"

#include <algorithm>
#include <cstring>

#include "platform/wine/hive_syntax.h"

namespace kvl::platform {

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2\n";

// Comments and '#' lines other than #time= are kept as they are; only a NUL makes them suspect.
std::size_t skipFreeLine(std::string_view text, std::size_t pos) {
    const std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos || std::memchr(text.data() + pos, '\0', eol - pos))
        return kBad;
    return eol;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::size_t parseMetaLine(std::string_view text, std::size_t pos) {
    constexpr std::string_view time = "#time=";
    if (text.compare(pos, time.size(), time) != 0)
        return skipFreeLine(text, pos);
    const std::size_t digits = pos + time.size();
    std::size_t end = digits;
    while (end < text.size() && isHexDigit(text[end]))
        ++end;
    return end > digits && end - digits <= 16 && end < text.size() && text[end] == '\n' ? end : kBad;
}

bool isBelow(std::u16string_view path, std::u16string_view key) {
    return path.size() > key.size() && path[key.size()] == u'\\' && sameName(path.substr(0, key.size()), key);
}

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }

// Whether a header's raw path may name the key or a key below it. Decoding every header would
// cost more than all the rest of the scan, so the raw text is compared with the key as Wine writes
// it; only where either holds a non-ASCII byte or an escape other than a quoted character is the
// answer left to the decoded comparison.
bool mayName(std::string_view raw, std::string_view escapedKey) {
    const std::size_t common = std::min(raw.size(), escapedKey.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char a = raw[i];
        const char b = escapedKey[i];
        if ((a & 0x80) || (b & 0x80))
            return true;
        if (a == '\\' || b == '\\') {
            const bool quoted = a == b && i + 1 < common && raw[i + 1] == escapedKey[i + 1] &&
                                std::string_view("\\[]\"").find(raw[i + 1]) != std::string_view::npos;
            if (!quoted)
                return true;
            ++i;
        } else if (foldAscii(a) != foldAscii(b)) {
            return false;
        }
    }
    return raw.size() >= escapedKey.size();
}

} // namespace

HiveScan scanHive(std::string_view text, std::u16string_view keyPath) {
    HiveScan scan;
    if (!text.starts_with(kSignature))
        return scan;
    const std::string escapedKey = escapeHiveString(keyPath, "[]");
    std::u16string path;
    bool inKey = false;
    KeySpan *open = nullptr; // a section of the key that has not ended yet
    std::size_t pos = kSignature.size();
    while (pos < text.size()) {
        std::size_t eol = kBad;
        switch (text[pos]) {
        case '\n':
            eol = pos;
            break;
        case ';':
            eol = skipFreeLine(text, pos);
            break;
        case '#':
            eol = parseMetaLine(text, pos);
            break;
        case '[':
            if (open)
                open->end = pos, open = nullptr;
            eol = parseHeaderLine(text, pos, nullptr);
            inKey = true;
            if (eol == kBad || !mayName(text.substr(pos + 1, text.rfind(']', eol) - pos - 1), escapedKey))
                break;
            path.clear();
            parseHeaderLine(text, pos, &path);
            if (sameName(path, keyPath)) {
                const KeySpan span{pos, eol + 1, text.size(), false};
                const bool first = !scan.key || scan.key->implicit;
                open = first ? &scan.key.emplace(span) : &scan.repeats.emplace_back(span);
            } else if (!scan.key && isBelow(path, keyPath)) {
                scan.key = KeySpan{pos, pos, pos, true};
            }
            break;
        case '"':
        case '@':
            if (inKey)
                eol = parseValueLine(text, pos, nullptr, nullptr);
            break;
        default:
            break;
        }
        if (eol == kBad) {
            scan.key.reset();
            scan.repeats.clear();
            return scan;
        }
        pos = eol + 1;
    }
    scan.valid = true;
    return scan;
}

} // namespace kvl::platform

#include "platform/wine/launcher_files.h"

#include "platform/cp1252.h"
#include "platform/wine/case_fold.h"

#include <charconv>

namespace kvl::platform {

namespace {

struct QuotedText {
    std::size_t begin; // the opening quote
    std::size_t end;   // after the closing quote
    std::string text;
};

// The quoted text whose opening quote is at pos; end == npos when it is not closed.
QuotedText quotedAt(std::string_view text, std::size_t pos) {
    QuotedText quoted{pos, std::string_view::npos, {}};
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted.end = i + 1;
            break;
        }
        if (c != '\\' || i + 1 >= text.size()) {
            quoted.text += c;
            continue;
        }
        const char escaped = text[++i];
        unsigned unit = 0;
        if (escaped == 'u' && i + 4 < text.size() &&
            std::from_chars(text.data() + i + 1, text.data() + i + 5, unit, 16).ptr == text.data() + i + 5) {
            quoted.text += utf16ToUtf8(std::u16string(1, static_cast<char16_t>(unit)));
            i += 4;
        } else {
            quoted.text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        }
    }
    return quoted;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string unquoted(std::string_view value) {
    value = trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.front() == '"' ? quotedAt(value, 0).text
                                    : std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

} // namespace

std::vector<std::string> quotedValues(std::string_view text, std::string_view key,
                                      std::string_view separators) {
    std::vector<std::string> values;
    std::size_t pos = text.find('"');
    while (pos != std::string_view::npos) {
        const QuotedText name = quotedAt(text, pos);
        if (name.end == std::string_view::npos)
            break;
        pos = text.find('"', name.end);
        if (pos == std::string_view::npos || !equalsIgnoringCase(name.text, key) ||
            text.substr(name.end, pos - name.end).find_first_not_of(separators) != std::string_view::npos)
            continue;
        const QuotedText value = quotedAt(text, pos);
        if (value.end == std::string_view::npos)
            break;
        values.push_back(value.text);
        pos = text.find('"', value.end);
    }
    return values;
}

std::string yamlValue(std::string_view text, std::string_view block, std::string_view key) {
    bool inBlock = block.empty();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const bool indented = !line.empty() && (line.front() == ' ' || line.front() == '\t');
        if (!indented && !trimmed(line).empty() && !block.empty())
            inBlock = trimmed(line) == std::string(block) + ":";
        if (!inBlock || indented == block.empty())
            continue;
        const std::string_view entry = trimmed(line);
        if (entry.size() > key.size() && entry.starts_with(key) && entry[key.size()] == ':')
            return unquoted(entry.substr(key.size() + 1));
    }
    return {};
}

} // namespace kvl::platform

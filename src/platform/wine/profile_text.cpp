#include "platform/wine/profile_text.h"

#include "platform/profile_entry.h"

#include <algorithm>

namespace kvl::platform {

namespace {

constexpr std::size_t kMaxValueLength = 2047;
constexpr std::string_view kLineEnd = "\r\n";

// Windows sees the text of a line only up to a NUL byte in it.
std::string_view beforeNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Wine folds only ASCII letters in section and key names; accented letters must match exactly.
bool sameName(std::string_view a, std::string_view b) {
    a = beforeNul(a);
    b = beforeNul(b);
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return fold(x) == fold(y); });
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kProfileBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kProfileBlanks) - first + 1);
}

std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// One line of the text: its content [begin, end) and the start of the next line after its line end.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

// Lines end in CR LF, LF or a lone CR, as Windows reads them. The line that begins at `begin`.
Line lineAt(std::string_view text, std::size_t begin) {
    const auto end = std::min(text.find_first_of(kLineEnd, begin), text.size());
    const bool crLf = text.substr(end).starts_with(kLineEnd);
    return {begin, end, std::min(end + (crLf ? 2 : 1), text.size())};
}

// A section header's name, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view content) {
    const auto line = trimmed(content);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const auto close = line.rfind(']'); // the name ends at the line's last "]"
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

// The part of a key line before its "=" (the whole line when it has none).
std::string_view keyPart(std::string_view content) { return content.substr(0, content.find('=')); }

// A text parsed once, line by line: where the first section of a name begins and ends, and where its
// first key is.
class ProfileLayout {
public:
    ProfileLayout(std::string_view text, std::string_view section, std::string_view key) : text_(text) {
        findSection(trimmed(section));
        if (bodyBegin_)
            findKey(trimmed(key));
    }

    std::optional<Line> keyLine() const { return keyLine_; }
    std::optional<Line> lastFilledLineOfSection() const { return lastFilled_; }
    std::string_view content(const Line &line) const {
        return text_.substr(line.begin, line.end - line.begin);
    }

private:
    // Lines before the first section header form the section without a name.
    void findSection(std::string_view section) {
        if (section.empty()) {
            bodyBegin_ = 0;
            return;
        }
        for (std::size_t begin = 0; begin < text_.size();) {
            const Line line = lineAt(text_, begin);
            const auto name = sectionName(content(line));
            if (name && sameName(*name, section)) {
                bodyBegin_ = line.next;
                lastFilled_ = line;
                return;
            }
            begin = line.next;
        }
    }

    void findKey(std::string_view key) {
        for (std::size_t begin = *bodyBegin_; begin < text_.size();) {
            const Line line = lineAt(text_, begin);
            begin = line.next;
            const auto text = content(line);
            if (sectionName(text))
                return;
            if (trimmed(text).empty())
                continue;
            lastFilled_ = line;
            if (!keyLine_ && sameName(trimmed(keyPart(text)), key))
                keyLine_ = line;
        }
    }

    std::string_view text_;
    std::optional<std::size_t> bodyBegin_;
    std::optional<Line> keyLine_;
    std::optional<Line> lastFilled_;
};

std::string keyLineText(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

} // namespace

std::string returnedProfileValue(std::string_view value) {
    const std::string_view unquoted = withoutQuotes(value);
    // Wine cuts the text after the opening quote to the buffer and then drops the last character it
    // copied as the closing quote: where exactly that quote falls outside, the value's last character goes.
    const bool lastCharacterTaken = unquoted.size() != value.size() && unquoted.size() == kMaxValueLength;
    return std::string(unquoted.substr(0, lastCharacterTaken ? kMaxValueLength - 1 : kMaxValueLength));
}

std::string profileDefault(std::string_view defaultValue) {
    defaultValue = beforeNul(defaultValue);
    // Blanks at the end go, but never the first character: a default of blanks alone gives one blank.
    const auto end = defaultValue.find_last_not_of(' ');
    const std::size_t kept =
        end == std::string_view::npos ? std::min<std::size_t>(defaultValue.size(), 1) : end + 1;
    return returnedProfileValue(defaultValue.substr(0, kept));
}

std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
    const ProfileLayout layout(text, section, key);
    std::string result(text);
    if (const auto line = layout.keyLine()) {
        const auto kept = keyPart(layout.content(*line));
        return result.replace(line->begin, line->end - line->begin, keyLineText(kept, value));
    }
    const std::string added = keyLineText(trimmed(key), value) + std::string(kLineEnd);
    if (const auto last = layout.lastFilledLineOfSection()) {
        const bool hasLineEnd = last->next > last->end;
        return result.insert(last->next, hasLineEnd ? added : std::string(kLineEnd) + added);
    }
    if (!result.empty() && kLineEnd.find(result.back()) == std::string_view::npos)
        result += kLineEnd;
    return result + "[" + std::string(trimmed(section)) + "]" + std::string(kLineEnd) + added;
}

} // namespace kvl::platform

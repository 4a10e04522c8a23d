#include "platform/wine/profile_stream.h"

#include "platform/cp1252.h"
#include "platform/profile_entry.h"
#include "platform/wine/profile_encoding.h"
#include "platform/wine/profile_line_parts.h"
#include "platform/wine/profile_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kvl::platform {

namespace {

constexpr std::size_t kChunk = 64u << 10;

// The profile rules applied line by line to text that arrives in pieces: the first section of the name,
// in it the first line of the key.
class ProfileSearch {
public:
    ProfileSearch(std::string_view section, std::string_view key)
        : section_(wantedProfileName(section)), key_(wantedProfileName(key)),
          inSection_(section.find_first_not_of(kProfileBlanks) == std::string_view::npos) {
        startLine();
    }

    // Feeds text; true once the answer is known.
    bool feed(std::string_view text) {
        while (!text.empty()) {
            if (!inSection_ && !started_ && pos_ == 0)
                text.remove_prefix(toHeaderCandidate(text));
            if (text.empty())
                break;
            if (nextLineFeed_ < text.data()) {
                const void *found = std::memchr(text.data(), '\n', text.size());
                nextLineFeed_ = found ? static_cast<const char *>(found) : text.data() + text.size();
            }
            std::size_t length = static_cast<std::size_t>(nextLineFeed_ - text.data());
            if (const void *cr = std::memchr(text.data(), '\r', length))
                length = static_cast<std::size_t>(static_cast<const char *>(cr) - text.data());
            feedLine(text.substr(0, length));
            if (length == text.size())
                break;
            if (endLine())
                return true;
            text.remove_prefix(length + 1);
        }
        nextLineFeed_ = nullptr;
        return false;
    }

    // The text has ended.
    void finish() {
        if (!done_)
            endLine();
    }

    const std::optional<ValueText> &answer() const { return answer_; }

private:
    // Before the section is found only its header counts. From a line's start: the start of the next line
    // that may be a header (a "[" with nothing but blanks before it), or of the text's last line, which
    // may go on in the next piece.
    static std::size_t toHeaderCandidate(std::string_view text) {
        std::size_t lineStart = 0;
        for (std::size_t from = 0;;) {
            const void *bracket = std::memchr(text.data() + from, '[', text.size() - from);
            const std::size_t end =
                bracket ? static_cast<std::size_t>(static_cast<const char *>(bracket) - text.data())
                        : text.size();
            for (const char lineEnd : {'\n', '\r'})
                if (const void *found = ::memrchr(text.data() + lineStart, lineEnd, end - lineStart))
                    lineStart = static_cast<std::size_t>(static_cast<const char *>(found) - text.data()) + 1;
            if (!bracket || std::all_of(text.begin() + lineStart, text.begin() + end, isProfileBlank))
                return lineStart;
            from = end + 1;
        }
    }

    void startLine() {
        pos_ = 0;
        first_ = 0;
        started_ = false;
        headerName_.reset();
        keyName_.reset();
        lastClose_.reset();
        equals_.reset();
        keyAtEquals_ = false;
        value_.reset();
    }

    void feedLine(std::string_view part) {
        std::size_t i = 0;
        if (!started_) {
            i = part.find_first_not_of(kProfileBlanks);
            if (i == std::string_view::npos) {
                pos_ += part.size();
                return;
            }
            started_ = true;
            first_ = part[i];
            open_ = pos_ + i;
            if (first_ == '[' && !inSection_)
                headerName_.emplace(section_);
            if (inSection_)
                keyName_.emplace(key_);
        }
        if (first_ == '[')
            feedHeader(part, open_ >= pos_ ? open_ - pos_ + 1 : 0);
        if (inSection_)
            feedKey(part, i);
        pos_ += part.size();
    }

    // After a line's "[": the name compared until it has settled, the last "]" looked for in bulk.
    void feedHeader(std::string_view part, std::size_t from) {
        if (from > part.size())
            return;
        for (std::size_t j = from; !inSection_ && j < part.size() && !headerName_->settled(); ++j)
            headerName_->feed(part[j], pos_ + j);
        if (const auto close = part.substr(from).rfind(']'); close != std::string_view::npos)
            lastClose_ = pos_ + from + close;
    }

    // The key's name up to the first "=", and the value after it when the name is the one looked for.
    void feedKey(std::string_view part, std::size_t from) {
        if (!equals_) {
            const auto equals = part.find('=', from);
            const std::size_t end = equals == std::string_view::npos ? part.size() : equals;
            for (std::size_t j = from; j < end && !keyName_->settled(); ++j)
                keyName_->feed(part[j], pos_ + j);
            if (equals == std::string_view::npos)
                return;
            equals_ = pos_ + equals;
            keyAtEquals_ = keyName_->matches(*equals_);
            if (keyAtEquals_)
                value_.emplace();
            from = equals + 1;
        }
        if (keyAtEquals_)
            value_->feed(part.substr(from));
    }

    bool endLine() {
        if (started_) {
            const bool header = first_ == '[' && lastClose_;
            if (!inSection_) {
                inSection_ = header && headerName_->matches(*lastClose_);
            } else if (header) {
                done_ = true; // the section ended without the key
            } else if (equals_ ? keyAtEquals_ : keyName_->matches(pos_)) {
                done_ = true; // the first line of the key decides, even one without "=" and value
                if (equals_)
                    answer_ = std::move(value_);
            }
        }
        startLine();
        return done_;
    }

    std::string_view section_;
    std::string_view key_;
    bool inSection_;
    bool done_ = false;
    std::optional<ValueText> answer_;
    const char *nextLineFeed_ = nullptr;

    // The line being read.
    LinePosition pos_ = 0;
    LinePosition open_ = 0;
    char first_ = 0;
    bool started_ = false;
    std::optional<NameMatch> headerName_;
    std::optional<NameMatch> keyName_;
    std::optional<LinePosition> lastClose_;
    std::optional<LinePosition> equals_;
    bool keyAtEquals_ = false;
    std::optional<ValueText> value_;
};

// UTF-16 bytes in pieces to UTF-8, as the whole text would convert: a unit or a surrogate pair split
// between two pieces waits for the next one; an odd byte at the very end is no unit.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

    std::string decode(std::string_view bytes) {
        carried_.append(bytes);
        const std::u16string units = utf16UnitsOf(carried_, bigEndian_);
        std::size_t whole = units.size();
        if (whole > 0 && units[whole - 1] >= 0xD800 && units[whole - 1] <= 0xDBFF)
            --whole; // its low half may come next
        carried_.erase(0, 2 * whole);
        return utf16ToUtf8(std::u16string_view(units).substr(0, whole));
    }

    // What is left at the end: a high surrogate with nothing after it, and an odd byte that is no unit.
    std::string finish() const {
        return carried_.size() >= 2 ? utf16ToUtf8(std::u16string(1, char16_t{0xD800})) : std::string();
    }

private:
    bool bigEndian_;
    std::string carried_;
};

} // namespace

ByteReader readerOf(std::string_view bytes, std::size_t piece) {
    return [bytes, piece](char *buffer, std::size_t size) mutable {
        const std::size_t taken = std::min({size, piece, bytes.size()});
        std::memcpy(buffer, bytes.data(), taken);
        bytes.remove_prefix(taken);
        return static_cast<long>(taken);
    };
}

std::optional<std::string> streamedProfileValue(const ByteReader &read, const std::string &section,
                                                const std::string &key) {
    std::vector<char> buffer(kChunk);
    std::string start; // enough bytes to tell the byte-order mark
    std::size_t total = 0;
    bool ended = false;
    const auto next = [&]() -> std::optional<std::string_view> {
        const long got = read(buffer.data(), buffer.size());
        if (got < 0 || (total += static_cast<std::size_t>(got)) > kMaxProfileFileSize)
            return std::nullopt;
        ended = got == 0;
        return std::string_view(buffer.data(), static_cast<std::size_t>(got));
    };
    while (!ended && start.size() < 3) {
        const auto piece = next();
        if (!piece)
            return std::nullopt;
        start.append(*piece);
    }
    const ProfileMark mark = profileMarkOf(start);
    const bool unicode = mark.encoding != ProfileEncoding::Ansi;
    const std::string wantedSection = unicode ? cp1252ToUtf8(section) : section;
    const std::string wantedKey = unicode ? cp1252ToUtf8(key) : key;
    ProfileSearch search(wantedSection, wantedKey);
    std::optional<Utf16Decoder> utf16;
    if (mark.encoding == ProfileEncoding::Utf16Little || mark.encoding == ProfileEncoding::Utf16Big)
        utf16.emplace(mark.encoding == ProfileEncoding::Utf16Big);
    const auto feed = [&](std::string_view bytes) {
        return search.feed(utf16 ? utf16->decode(bytes) : bytes);
    };
    bool done = feed(std::string_view(start).substr(mark.bytes.size()));
    while (!done && !ended) {
        const auto piece = next();
        if (!piece)
            return std::nullopt;
        done = feed(*piece);
    }
    if (!done && !(utf16 && search.feed(utf16->finish())))
        search.finish();
    if (!search.answer())
        return std::nullopt;
    const std::string value = search.answer()->text();
    // The limit counts what the caller gets: one byte for each UTF-16 unit.
    return returnedProfileValue(unicode ? utf8ToCp1252(value) : value);
}

} // namespace kvl::platform

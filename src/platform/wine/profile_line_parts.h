#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvl::platform {

// The parts of a profile file's line that a read looks at, taken in as the line arrives in pieces, so
// that a line of any length costs no more than the parts that decide the read. Positions count the
// line's characters from its start.
using LinePosition = std::uint64_t;

// Whether the name in a region of a line equals the wanted one as Windows compares them: blanks around it
// trimmed, cut at a NUL, ASCII letters folded. It is fed the region's characters until it has settled;
// where the region ends is told at the end, since a header's name ends at its line's last "]".
class NameMatch {
public:
    // The wanted name as the rules compare it: trimmed, cut at a NUL (wantedProfileName).
    explicit NameMatch(std::string_view wanted) : wanted_(wanted) {}

    bool settled() const { return failed_ || firstNonBlankAfter_; }
    void feed(char c, LinePosition pos);
    // Every character of the region before regionEnd has been fed, or the match has settled.
    bool matches(LinePosition regionEnd) const;

private:
    std::string_view wanted_;
    std::optional<LinePosition> start_;
    std::optional<LinePosition> firstNonBlankAfter_;
    bool failed_ = false;
    bool nulAtEnd_ = false;
};

// A name as the rules compare it: blanks around it trimmed, cut at a NUL.
std::string_view wantedProfileName(std::string_view name);

// The text after a key's "=" as a read takes it (blanks around it trimmed, cut at a NUL), of which only the
// beginning and the last character are kept: all that decides what a read hands back.
class ValueText {
public:
    void feed(std::string_view part);
    // A text that reads as the whole value does: its beginning and its last character.
    std::string text() const;

private:
    std::string head_;
    LinePosition length_ = 0;
    LinePosition filled_ = 0; // up to the last character that is kept
    char lastChar_ = 0;
    char lastKept_ = 0;
    bool started_ = false;
    bool cut_ = false;
};

} // namespace kvl::platform

#include "platform/wine/profile_line_parts.h"

#include "platform/profile_entry.h"

#include <algorithm>

namespace kvl::platform {

namespace {

// Enough of a value's bytes to give the 2047 characters a read returns, at four UTF-8 bytes each.
constexpr std::size_t kKeptValueBytes = 4 * 2050 + 8;

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

void NameMatch::feed(char c, LinePosition pos) {
    if (!start_) {
        if (isProfileBlank(c))
            return;
        start_ = pos;
    }
    const LinePosition index = pos - *start_;
    if (index < wanted_.size()) {
        failed_ = foldAscii(c) != foldAscii(wanted_[index]);
        return;
    }
    nulAtEnd_ = index == wanted_.size() && c == '\0';
    if (!isProfileBlank(c))
        firstNonBlankAfter_ = pos;
}

bool NameMatch::matches(LinePosition regionEnd) const {
    if (failed_)
        return false;
    if (!start_)
        return wanted_.empty();
    const LinePosition end = *start_ + wanted_.size();
    if (regionEnd < end)
        return false;
    if (nulAtEnd_ && regionEnd > end)
        return true;
    return !firstNonBlankAfter_ || *firstNonBlankAfter_ >= regionEnd;
}

std::string_view wantedProfileName(std::string_view name) {
    const auto first = name.find_first_not_of(kProfileBlanks);
    if (first == std::string_view::npos)
        return {};
    name = name.substr(first, name.find_last_not_of(kProfileBlanks) - first + 1);
    return name.substr(0, name.find('\0'));
}

void ValueText::feed(std::string_view part) {
    if (cut_)
        return;
    if (!started_) {
        const auto first = part.find_first_not_of(kProfileBlanks);
        if (first == std::string_view::npos)
            return;
        part.remove_prefix(first);
        started_ = true;
    }
    const auto nul = part.find('\0');
    if (nul != std::string_view::npos) {
        part = part.substr(0, nul);
        cut_ = true;
    }
    head_.append(part.substr(0, std::min(part.size(), kKeptValueBytes - head_.size())));
    length_ += part.size();
    if (!part.empty())
        lastChar_ = part.back();
    if (cut_) {
        filled_ = length_;
        lastKept_ = lastChar_;
    } else if (const auto last = part.find_last_not_of(kProfileBlanks); last != std::string_view::npos) {
        filled_ = length_ - part.size() + last + 1;
        lastKept_ = part[last];
    }
}

std::string ValueText::text() const {
    if (filled_ <= head_.size())
        return head_.substr(0, filled_);
    return head_ + lastKept_;
}

} // namespace kvl::platform

#include "platform/wine/host_key_scan.h"

#include "platform/cp1252.h"
#include "platform/wine/file_steps.h"
#include "platform/wine/hive_syntax.h"
#include "platform/wine/readable_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kvl::platform {

namespace {

using namespace std::string_view_literals;

// The install key's section line as Wine writes it, backslashes escaped.
constexpr std::string_view kSectionLine = "[software\\\\varnel\\\\kvl 17.00\\\\qtrx]"sv;
// A hive is at most a few tens of megabytes; anything far beyond is no hive of Wine's.
constexpr off_t kLargestHive = off_t{256} << 20;
// Small enough that the searches after a read find it in the processor's cache.
constexpr std::size_t kChunk = std::size_t{1} << 16;
// The key holds a handful of values; what follows its line beyond this is not read.
constexpr std::size_t kLargestSection = std::size_t{64} << 10;

bool isSectionLineAt(std::string_view text, std::size_t pos) {
    if (text.size() - pos <= kSectionLine.size())
        return false;
    // From the end: most keys begin as this one does ("[Software\\").
    for (std::size_t i = kSectionLine.size(); i-- > 0;)
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) != kSectionLine[i])
            return false;
    const char after = text[pos + kSectionLine.size()];
    return after == ' ' || after == '\n' || after == '\r';
}

std::string directoryValue(std::string_view section) {
    std::size_t pos = section.find('\n');
    while (pos != std::string_view::npos && ++pos < section.size() && section[pos] != '[') {
        if (section[pos] == '"') {
            std::u16string name;
            ValueData data;
            const std::size_t end = parseValueLine(section, pos, &name, &data);
            if (end != kBad && sameName(name, u"Directory") &&
                (data.type == kRegSz || data.type == kRegExpandSz)) {
                std::u16string text = textUnits(data);
                text.erase(std::find(text.begin(), text.end(), u'\0'), text.end());
                return utf16ToUtf8(text);
            }
            if (end != kBad) {
                pos = end;
                continue;
            }
        }
        pos = section.find('\n', pos);
    }
    return {};
}

// Reads the next chunk into the buffer after its first `length` bytes; returns how many it holds now. `more`
// turns false at the end, on a failure or at a NUL byte (where the text then ends).
std::size_t readChunk(int fd, std::vector<char> &buffer, std::size_t length, bool &more) {
    ssize_t got;
    do
        got = ::read(fd, buffer.data() + length, buffer.size() - length);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        more = false;
        return length;
    }
    if (const void *nul = std::memchr(buffer.data() + length, '\0', static_cast<std::size_t>(got))) {
        more = false;
        return static_cast<std::size_t>(static_cast<const char *>(nul) - buffer.data());
    }
    return length + static_cast<std::size_t>(got);
}

} // namespace

std::optional<std::string> hostFolderInHive(const std::string &systemReg) {
    const FileDescriptor file(openRegularFile(systemReg));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || status.st_size > kLargestHive)
        return std::nullopt;
    // What a section line cut by a chunk's end needs, and the character before it, stays for the next.
    constexpr std::size_t keep = kSectionLine.size() + 1;
    std::vector<char> buffer(keep + kChunk);
    std::size_t length = 0;
    std::size_t from = 0; // where a '[' at the start of a line may still begin
    bool more = true;
    while (more) {
        length = readChunk(file.get(), buffer, length, more);
        const std::string_view text(buffer.data(), length);
        for (std::size_t pos = from; (pos = text.find('[', pos)) != std::string_view::npos; ++pos) {
            if (pos > 0 && text[pos - 1] != '\n')
                continue;
            if (isSectionLineAt(text, pos)) {
                std::string section(text.substr(pos));
                while (more && section.size() < kLargestSection && section.find("\n[") == std::string::npos)
                    section.append(buffer.data(), readChunk(file.get(), buffer, 0, more));
                return directoryValue(std::string_view(section).substr(0, kLargestSection));
            }
            if (more && length - pos <= kSectionLine.size())
                break; // the line goes on in the next chunk
        }
        if (length > keep) {
            std::memmove(buffer.data(), buffer.data() + length - keep, keep);
            length = keep;
            from = 1;
        }
    }
    return std::nullopt;
}

} // namespace kvl::platform

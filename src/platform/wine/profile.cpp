#include "platform/profile.h"

#include "platform/profile_entry.h"
#include "platform/wine/atomic_file.h"
#include "platform/wine/file_steps.h"
#include "platform/wine/host_path.h"
#include "platform/wine/profile_encoding.h"
#include "platform/wine/profile_stream.h"
#include "platform/wine/profile_text.h"
#include "platform/wine/readable_file.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::platform {

std::string readProfileString(const FilePath &file, const std::string &section, const std::string &key,
                              const std::string &defaultValue) {
    const FileDescriptor fd(openForReading(nativeFileOf(file)));
    const ByteReader read = [&fd](char *buffer, std::size_t size) {
        ssize_t got = 0;
        do
            got = ::read(fd.get(), buffer, size);
        while (got < 0 && errno == EINTR);
        return static_cast<long>(got);
    };
    struct stat status {};
    // A file beyond the limit reads as missing, even where its key comes first.
    const bool readable = fd.get() >= 0 && ::fstat(fd.get(), &status) == 0 &&
                          static_cast<std::uintmax_t>(status.st_size) <= kMaxProfileFileSize;
    if (readable)
        if (auto value = streamedProfileValue(read, section, key))
            return *value;
    return profileDefault(defaultValue);
}

bool writeProfileString(const FilePath &file, const std::string &section, const std::string &key,
                        const std::string &value) {
    if (!isStorableProfileEntry(section, key, value))
        return false;
    const std::string native = nativeFileOf(file);
    const auto text = readWholeFile(native, kMaxProfileFileSize);
    std::error_code error;
    const bool missing = !std::filesystem::exists(native, error) && !error;
    if (!text && !missing)
        return false; // unreadable: rewriting it from nothing would lose its content
    const auto changed = profileBytesWithValue(text.value_or(std::string()), section, key, value);
    return changed && replaceFileAtomically(native, *changed);
}

// Every write goes straight to the file, so there is nothing to flush.
void flushProfile(const FilePath &) {}

} // namespace kvl::platform

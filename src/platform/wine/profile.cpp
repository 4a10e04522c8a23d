#include "platform/profile.h"

#include "platform/profile_entry.h"
#include "platform/wine/atomic_file.h"
#include "platform/wine/host_path.h"
#include "platform/wine/profile_encoding.h"
#include "platform/wine/profile_text.h"

#include <filesystem>

namespace kvl::platform {

std::string readProfileString(const FilePath &file, const std::string &section, const std::string &key,
                              const std::string &defaultValue) {
    const auto text = readWholeFile(nativeFileOf(file));
    if (text)
        if (auto value = profileValue(*text, section, key))
            return *value;
    return profileDefault(defaultValue);
}

bool writeProfileString(const FilePath &file, const std::string &section, const std::string &key,
                        const std::string &value) {
    if (!isStorableProfileEntry(section, key, value))
        return false;
    const std::string native = nativeFileOf(file);
    const auto text = readWholeFile(native);
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

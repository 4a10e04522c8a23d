#include "platform/profile.h"

#include "platform/profile_entry.h"
#include "platform/wine/atomic_file.h"
#include "platform/wine/host_path.h"
#include "platform/wine/profile_encoding.h"
#include "platform/wine/profile_text.h"

#include <filesystem>

namespace kvl::platform {

std::string readProfileString(const std::string &path, const std::string &section, const std::string &key,
                              const std::string &defaultValue) {
    const auto text = readWholeFile(hostFileToNative(path));
    if (text)
        if (auto value = profileValue(*text, section, key))
            return *value;
    return profileDefault(defaultValue);
}

bool writeProfileString(const std::string &path, const std::string &section, const std::string &key,
                        const std::string &value) {
    if (!isStorableProfileEntry(section, key, value))
        return false;
    const std::string file = hostFileToNative(path);
    const auto text = readWholeFile(file);
    std::error_code error;
    const bool missing = !std::filesystem::exists(file, error) && !error;
    if (!text && !missing)
        return false; // unreadable: rewriting it from nothing would lose its content
    const auto changed = profileBytesWithValue(text.value_or(std::string()), section, key, value);
    return changed && replaceFileAtomically(file, *changed);
}

// Every write goes straight to the file, so there is nothing to flush.
void flushProfile(const std::string &) {}

} // namespace kvl::platform

#include "platform/profile.h"

#include "platform/profile_entry.h"

#include <windows.h>

namespace kvl::platform {

std::string readProfileString(const FilePath &file, const std::string &section, const std::string &key,
                              const std::string &defaultValue) {
    char buffer[2048];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                  sizeof buffer, file.text.c_str());
    return std::string(buffer, length);
}

bool writeProfileString(const FilePath &file, const std::string &section, const std::string &key,
                        const std::string &value) {
    if (!isStorableProfileEntry(section, key, value))
        return false;
    // An administrator (or Wine run as root) could write over the read-only attribute; the user
    // set it to protect the file.
    const DWORD attributes = GetFileAttributesA(file.text.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.text.c_str()) !=
           FALSE;
}

void flushProfile(const FilePath &file) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.text.c_str());
}

} // namespace kvl::platform

#pragma once

#include <string>

namespace kvl::platform {

// Windows profile-file ("INI") operations. On Linux a path that starts with '/' is a native path;
// any other path is a Windows path of the Wine prefix and is mapped through its drives.
// Texts are 8-bit code page 1252.

// At most 2047 characters; the default on any failure (missing file, section or key).
std::string readProfileString(const std::string &path, const std::string &section, const std::string &key,
                              const std::string &defaultValue);
// Creates the file and the section when missing (the folder must exist). False when refused.
bool writeProfileString(const std::string &path, const std::string &section, const std::string &key,
                        const std::string &value);
// Flushes any cached state of the file; the result is of no interest to callers.
void flushProfile(const std::string &path);

// The profile-file object one step of the program uses: reads never fail, a refused write raises
// kvl::Error "Unable to write to <path>", and releasing it flushes the file.
class IniFile {
public:
    explicit IniFile(std::string path);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    std::string readString(const std::string &section, const std::string &key,
                           const std::string &defaultValue) const;
    void writeString(const std::string &section, const std::string &key, const std::string &value);
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

} // namespace kvl::platform

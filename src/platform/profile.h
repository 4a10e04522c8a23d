#pragma once

#include <string>

#include "platform/file_path.h"

namespace kvl::platform {

// Windows profile-file ("INI") operations. Texts are 8-bit code page 1252.

// At most 2047 characters; the default on any failure (missing file, section or key).
std::string readProfileString(const FilePath &file, const std::string &section, const std::string &key,
                              const std::string &defaultValue);
// Creates the file and the section when missing (the folder must exist). False when refused.
bool writeProfileString(const FilePath &file, const std::string &section, const std::string &key,
                        const std::string &value);
// Flushes any cached state of the file; the result is of no interest to callers.
void flushProfile(const FilePath &file);

// The profile-file object one step of the program uses: reads never fail, a refused write raises
// kvl::Error "Unable to write to <path>", and releasing it flushes the file.
class IniFile {
public:
    explicit IniFile(FilePath file);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    std::string readString(const std::string &section, const std::string &key,
                           const std::string &defaultValue) const;
    void writeString(const std::string &section, const std::string &key, const std::string &value);
    const std::string &path() const { return file_.text; }

private:
    FilePath file_;
};

} // namespace kvl::platform

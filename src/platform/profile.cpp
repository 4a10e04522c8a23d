#include "platform/profile.h"

#include "platform/error.h"

#include <utility>

namespace kvl::platform {

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile::~IniFile() { flushProfile(path_); }

std::string IniFile::readString(const std::string &section, const std::string &key,
                                const std::string &defaultValue) const {
    return readProfileString(path_, section, key, defaultValue);
}

void IniFile::writeString(const std::string &section, const std::string &key, const std::string &value) {
    if (!writeProfileString(path_, section, key, value))
        throw Error("Unable to write to " + path_);
}

} // namespace kvl::platform

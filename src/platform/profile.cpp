#include "platform/profile.h"

#include "platform/cp1252.h"
#include "platform/error.h"

#include <utility>

namespace kvl::platform {

namespace {
// A native Linux path is UTF-8, while a message is code page 1252 like every other text of the program.
std::string pathInMessage(const std::string &path) {
    return path.starts_with('/') ? utf8ToCp1252(path) : path;
}
} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile::~IniFile() { flushProfile(path_); }

std::string IniFile::readString(const std::string &section, const std::string &key,
                                const std::string &defaultValue) const {
    return readProfileString(path_, section, key, defaultValue);
}

void IniFile::writeString(const std::string &section, const std::string &key, const std::string &value) {
    if (!writeProfileString(path_, section, key, value))
        throw Error("Unable to write to " + pathInMessage(path_));
}

} // namespace kvl::platform

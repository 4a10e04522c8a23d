#include "platform/profile.h"

#include "platform/cp1252.h"
#include "platform/error.h"

#include <utility>

namespace kvl::platform {

namespace {
// A native path that begins with "/" is a Linux one, in UTF-8, while a message is code page 1252 like
// every other text of the program.
std::string pathInMessage(const FilePath &file) {
    const bool utf8 = file.world == FilePath::World::Native && file.text.starts_with('/');
    return utf8 ? utf8ToCp1252(file.text) : file.text;
}
} // namespace

IniFile::IniFile(FilePath file) : file_(std::move(file)) {}

IniFile::~IniFile() { flushProfile(file_); }

std::string IniFile::readString(const std::string &section, const std::string &key,
                                const std::string &defaultValue) const {
    return readProfileString(file_, section, key, defaultValue);
}

void IniFile::writeString(const std::string &section, const std::string &key, const std::string &value) {
    if (!writeProfileString(file_, section, key, value))
        throw Error("Unable to write to " + pathInMessage(file_));
}

} // namespace kvl::platform

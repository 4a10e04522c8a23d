#include "prefs/prefix_choice.h"

#include "platform/cp1252.h"
#include "platform/profile.h"

namespace kvl::prefs {

namespace {
constexpr const char *kSection = "Prefix";
constexpr const char *kPath = "Path";
constexpr const char *kRemember = "Remember";
} // namespace

PrefixChoice readPrefixChoice(const std::string &iniPath) {
    const platform::FilePath file = platform::nativeFile(iniPath);
    return {platform::cp1252ToUtf8(platform::readProfileString(file, kSection, kPath, "")),
            platform::readProfileString(file, kSection, kRemember, "0") == "1"};
}

bool writePrefixChoice(const PrefixChoice &choice, const std::string &iniPath) {
    const std::string path = platform::utf8ToCp1252(choice.path);
    if (platform::cp1252ToUtf8(path) != choice.path)
        return false;
    const platform::FilePath file = platform::nativeFile(iniPath);
    // Quoted, so that blanks at either end of the folder's name come back.
    const bool written = platform::writeProfileString(file, kSection, kPath, "\"" + path + "\"") &&
                         platform::writeProfileString(file, kSection, kRemember, choice.remember ? "1" : "0");
    platform::flushProfile(file);
    return written;
}

} // namespace kvl::prefs

#pragma once

#include <string>

namespace kvl::prefs {

// The Wine prefix the user chose last, kept in "settings.ini" in a section of the program's own
// ([Prefix]), beside the six preferences: the path in UTF-8, and whether to open it at once next time.
struct PrefixChoice {
    std::string path;
    bool remember = false;
    bool operator==(const PrefixChoice &) const = default;
};

PrefixChoice readPrefixChoice(const std::string &iniPath);
// Written at once, since the choice must hold however the program ends. False when nothing was kept: the
// file refused the write, or its code page cannot hold the path.
bool writePrefixChoice(const PrefixChoice &choice, const std::string &iniPath);

} // namespace kvl::prefs

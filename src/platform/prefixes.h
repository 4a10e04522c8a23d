#pragma once

#include <string>
#include <vector>

namespace kvl::platform {

// A Wine prefix of the user's, as one of the tools that keep prefixes made it. Texts are UTF-8.
struct FoundPrefix {
    std::string source;     // the tool, as its users know it ("Bottles", "Steam (Flatpak)")
    std::string name;       // what the tool calls it (a bottle's name, a game), else the folder's name
    std::string path;       // the prefix folder, native
    bool holdsHost = false; // its system.reg holds the host's install key
    std::string hostFolder; // the install key's Directory, a Windows path; empty when not given
};

// A place the discovery looks in, for telling the user where it looked.
struct PrefixPlace {
    std::string source;
    std::string location; // below the home folder, "~/..." with "*" for each folder in it
};

// Linux: where the tools keep their prefixes, in the order they are searched. Windows: none.
std::vector<PrefixPlace> prefixPlaces();

// Linux: the prefixes below a home folder, each folder once, in the order of prefixPlaces(). Anything that
// cannot be read (unreadable folders, links in a loop, FIFOs, huge or broken files) is passed over
// without waiting. Windows: none.
std::vector<FoundPrefix> discoverPrefixes(const std::string &home);

// Linux: the Wine prefix in use ($WINEPREFIX, else ~/.wine, unless usePrefix named another). Windows: empty,
// the host's settings are in the system's own registry.
std::string winePrefix();

// Linux: the prefix that winePrefix() names from now on, for the program and the Wine tools it starts.
// Windows: nothing to do.
void usePrefix(const std::string &folder);

} // namespace kvl::platform

#include "platform/prefixes.h"

#include <cstdlib>

namespace kvl::platform {

// Wine's own rule for finding the prefix.
std::string winePrefix() {
    if (const char *prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char *home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

} // namespace kvl::platform

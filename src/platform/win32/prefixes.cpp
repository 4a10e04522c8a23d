#include "platform/prefixes.h"

namespace kvl::platform {

// Windows keeps the host's settings in its own registry: there are no prefixes to find.
std::vector<PrefixPlace> prefixPlaces() { return {}; }
std::vector<FoundPrefix> discoverPrefixes(const std::string &) { return {}; }
void usePrefix(const std::string &) {}
std::string winePrefix() { return {}; }

} // namespace kvl::platform

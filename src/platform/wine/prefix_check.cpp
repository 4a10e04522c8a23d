#include "platform/cp1252.h"
#include "platform/system.h"
#include "platform/wine/wine_server.h"
#include "platform/prefixes.h"

#include <filesystem>

namespace kvl::platform {

// A folder counts as a prefix once it holds either of Wine's hives, the files the program edits; its
// other parts (drives, programs) may be missing, as in the demo prefix.
std::optional<TranslatedError> hostStoreProblem() {
    const std::string prefix = winePrefix();
    std::error_code error;
    for (const char *hive : {"/system.reg", "/user.reg"})
        if (std::filesystem::is_regular_file(prefix + hive, error))
            return std::nullopt;
    return TranslatedError(TranslatedError::Reason::NotAWinePrefix, utf8ToCp1252(prefix));
}

bool hostStoreMayWait() { return !prefixServers(winePrefix()).empty(); }

} // namespace kvl::platform

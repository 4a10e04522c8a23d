#include "platform/wine/case_fold.h"

#include "platform/cp1252.h"
#include "platform/wine/hive_string.h"

namespace kvl::platform {

// One case rule for every name of the prefix: the registry's.
bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return sameName(cp1252ToUtf16(a), cp1252ToUtf16(b));
}

} // namespace kvl::platform

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/error.h"

namespace kvl::platform {

enum class RootKey { LocalMachine, CurrentUser };
enum class Access { Read, AllAccess };
// Default: the caller's own view. View64: KEY_WOW64_64KEY.
enum class View { Default, View64 };

// One registry key at a time, opened without ever creating it. Names and texts are 8-bit
// code page 1252. Failures raise kvl::Error with the texts
//   "Failed to get data for '%s'", "Invalid data type for '%s'", "Failed to set data for '%s'".
class Registry {
public:
    Registry();
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    // A leading backslash of the path is dropped. The opened key replaces any key open before.
    // Returns false when the key does not exist or the requested access cannot be granted (Windows:
    // a key that refuses full access for want of rights opens for reading, and writes to it fail); raises
    // kvl::TranslatedError (BrokenHive) when the store that would hold it is there but cannot be read.
    bool openKey(RootKey root, const std::string &path, Access access, View view);
    void closeKey();
    bool hasOpenKey() const;
    // After an open with full access that returned false for a key that is there: why its store takes no
    // writes, where the store itself refuses them (a registry file the user may not write), so that Apply
    // can say so. Empty where the refusal is the system's access rule, which Apply passes over.
    const std::optional<TranslatedError> &unwritableStore() const { return unwritableStore_; }
    // Whether the open key's values were read from stored files that a running program may since have
    // changed without storing them yet (Wine keeps a prefix's registry in memory while it runs).
    bool mayBeOutdated() const;

    // Missing value, or a size of 0: empty text, no error. REG_SZ and REG_EXPAND_SZ (unexpanded)
    // are taken up to the first NUL; any other type is "Invalid data type".
    std::string readString(const std::string &name);
    // One query with a 4-byte buffer: missing or longer data is "Failed to get data",
    // a type other than REG_DWORD is "Invalid data type".
    std::int32_t readInteger(const std::string &name);
    // Writes are checked at once ("Failed to set data" when refused). A backend may collect them and
    // store them together when the key is closed; closeKey then raises "Failed to set data" (or a
    // kvl::TranslatedError naming a cause of its own) if that fails, and the store is left as it was.
    void writeString(const std::string &name, const std::string &value);
    void writeInteger(const std::string &name, std::int32_t value);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
    std::optional<TranslatedError> unwritableStore_;
};

} // namespace kvl::platform

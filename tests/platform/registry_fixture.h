#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace kvl::test {

// A value as the A-functions see it: strings are code page 1252 bytes with their terminating NUL(s).
struct StoredValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

// Puts keys into the real store of the backend under test, and reads back what the Registry class
// wrote, without going through that class. Keys live below a throw-away test key and go away with
// the fixture.
class RegistryFixture {
public:
    static std::unique_ptr<RegistryFixture> create();
    virtual ~RegistryFixture() = default;

    // The path (without leading backslash) of a key below the fixture's own test key.
    virtual std::string keyPath(const std::string &name) const = 0;
    virtual void putKey(platform::RootKey root, const std::string &path,
                        const std::vector<StoredValue> &values) = 0;
    virtual std::optional<StoredValue> readBack(platform::RootKey root, const std::string &path,
                                                const std::string &name) = 0;
};

inline constexpr std::uint32_t kSz = 1, kExpandSz = 2, kBinary = 3, kDword = 4, kMultiSz = 7, kQword = 11;

} // namespace kvl::test

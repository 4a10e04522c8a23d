#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/wine/hive_string.h"

namespace kvl::platform {

enum RegistryType : std::uint32_t {
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

// A value's data as Windows keeps it: strings as UTF-16LE with their terminating NUL.
struct ValueData {
    std::uint32_t type = 0;
    std::string bytes;
};

// One value line (with its continuation lines) starting at pos, which holds '"' or '@'. Returns the
// position of the '\n' that ends it, or kBad. name and data are filled when given.
std::size_t parseValueLine(std::string_view text, std::size_t pos, std::u16string *name, ValueData *data);

// Only the name of a value line: the position after the '=', or kBad.
std::size_t parseValueName(std::string_view text, std::size_t pos, std::u16string *name);

// A key header "[path] seconds" at pos. Returns the position of its '\n', or kBad.
std::size_t parseHeaderLine(std::string_view text, std::size_t pos, std::u16string *path);

// The data as UTF-16 units (a trailing odd byte is no unit).
std::u16string textUnits(const ValueData &data);
ValueData stringData(std::u16string_view text);
ValueData dwordData(std::uint32_t value);
// The number in the data's bytes, little-endian as Windows stores it (at most its first four count).
std::uint32_t dwordValue(const ValueData &data);
// The data of a value as Wine writes it after "name=", without the line end.
std::string formatStringData(std::u16string_view text);
std::string formatDwordData(std::uint32_t value);

} // namespace kvl::platform

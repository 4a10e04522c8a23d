#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kvl::platform {

// The largest profile file read or written: a hundred thousand times any real one. A larger file reads
// as missing and refuses writes, rather than costing its size in memory (a sparse file of gigabytes).
inline constexpr std::size_t kMaxProfileFileSize = 64u << 20;

// Hands out the next bytes of a file: how many it put into the buffer, 0 at the end, -1 when the file
// cannot be read.
using ByteReader = std::function<long(char *buffer, std::size_t size)>;

// Hands out the bytes of a text in pieces of at most `piece` bytes.
ByteReader readerOf(std::string_view bytes, std::size_t piece);

// The value of a key as a read hands it back, the file's bytes taken as they come: nothing of the file is
// held beyond one buffer and the value, and reading stops where the answer is known. nullopt when the
// section or key is missing, the file cannot be read, or it is larger than kMaxProfileFileSize.
std::optional<std::string> streamedProfileValue(const ByteReader &read, const std::string &section,
                                                const std::string &key);

} // namespace kvl::platform

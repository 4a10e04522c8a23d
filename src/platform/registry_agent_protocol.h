#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvl::platform::agent {

// The registry agent is a Windows console program that runs under Wine beside a running Wine server and
// answers registry requests on its standard input and output, so that a Linux program reaches the
// server's registry with one start of Wine instead of one per key. Both sides build this file.
//
// A frame is a 32-bit little-endian length, then that many bytes of payload. Payloads are fields in
// order: numbers 32-bit little-endian, bytes as a number (their count) and the bytes. Every request
// starts with its Request number and is answered by exactly one frame:
//   Hello  version                    -> version (the agent's; the client ends an agent of another)
//   Open   root access view path      -> status, key (a handle of the agent, 0 unless status is 0)
//   Read   key                        -> status, count, count times: name type data
//   Write  key count, count times: name type data -> status, index of the value that failed
//   Close  key                        -> status
// Status is the Win32 error code of the call that answered (0: success). Names, paths and text data
// are code page 1252 as the A-functions take them; data is what RegQueryValueExA gives and
// RegSetValueExA takes, its type and size included.

inline constexpr std::uint32_t kVersion = 1;
// Far above any value the host keeps; a longer length is no frame of ours.
inline constexpr std::uint32_t kMaxPayload = 64u << 20;

enum class Request : std::uint32_t { Hello = 1, Open, Read, Write, Close };

struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::string data;

    bool operator==(const Value &) const = default;
};

class Writer {
public:
    Writer &number(std::uint32_t value);
    Writer &bytes(std::string_view value);
    Writer &values(const std::vector<Value> &list);
    // The payload with its length in front, ready to send.
    std::string frame() const;

private:
    std::string payload_;
};

// Reads the fields of one payload; each read fails, and all later ones, once the payload runs short.
class Reader {
public:
    explicit Reader(std::string_view payload) : rest_(payload) {}
    std::optional<std::uint32_t> number();
    std::optional<std::string> bytes();
    std::optional<std::vector<Value>> values();
    // True when every field was there and nothing is left over.
    bool complete() const { return ok_ && rest_.empty(); }

private:
    std::string_view rest_;
    bool ok_ = true;
};

// Whether the answer to Hello comes from an agent of this version: its version and nothing more.
bool isGreeting(std::string_view payload);

// The payload length a frame's first four bytes announce; nothing when it exceeds kMaxPayload.
std::optional<std::uint32_t> payloadLength(std::string_view header);

} // namespace kvl::platform::agent

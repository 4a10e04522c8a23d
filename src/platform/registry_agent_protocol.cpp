#include "platform/registry_agent_protocol.h"

namespace kvl::platform::agent {

namespace {

std::uint32_t littleEndian(std::string_view four) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(four[i]);
    return value;
}

} // namespace

Writer &Writer::number(std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        payload_.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    return *this;
}

Writer &Writer::bytes(std::string_view value) {
    number(static_cast<std::uint32_t>(value.size()));
    payload_.append(value);
    return *this;
}

Writer &Writer::values(const std::vector<Value> &list) {
    number(static_cast<std::uint32_t>(list.size()));
    for (const Value &value : list)
        bytes(value.name).number(value.type).bytes(value.data);
    return *this;
}

std::string Writer::frame() const {
    Writer framed;
    framed.bytes(payload_);
    return std::move(framed.payload_);
}

std::optional<std::uint32_t> Reader::number() {
    if (!ok_ || rest_.size() < 4) {
        ok_ = false;
        return std::nullopt;
    }
    const std::uint32_t value = littleEndian(rest_.substr(0, 4));
    rest_.remove_prefix(4);
    return value;
}

std::optional<std::string> Reader::bytes() {
    const auto size = number();
    if (!size || rest_.size() < *size) {
        ok_ = false;
        return std::nullopt;
    }
    std::string value(rest_.substr(0, *size));
    rest_.remove_prefix(*size);
    return value;
}

std::optional<std::vector<Value>> Reader::values() {
    const auto count = number();
    std::vector<Value> list;
    // Each value takes at least twelve bytes: a count beyond that is a broken payload, not a reason to
    // reserve memory.
    for (std::uint32_t i = 0; count && i < *count && ok_ && rest_.size() >= 12; ++i) {
        auto name = bytes();
        const auto type = number();
        auto data = bytes();
        if (name && type && data)
            list.push_back({std::move(*name), *type, std::move(*data)});
    }
    if (!count || list.size() != *count) {
        ok_ = false;
        return std::nullopt;
    }
    return list;
}

bool isGreeting(std::string_view payload) {
    Reader reader(payload);
    return reader.number() == kVersion && reader.complete();
}

std::optional<std::uint32_t> payloadLength(std::string_view header) {
    if (header.size() != 4 || littleEndian(header) > kMaxPayload)
        return std::nullopt;
    return littleEndian(header);
}

} // namespace kvl::platform::agent

#include "registry_fixture.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/system.h"
#include "platform/wine/hive_scan.h"
#include "platform/wine/hive_string.h"
#include "platform/wine/hive_syntax.h"
#include "support/temp_prefix.h"

namespace kvl::test {

namespace {

using platform::RootKey;

std::string hiveString(const std::string &text) {
    return platform::escapeHiveString(platform::cp1252ToUtf16(text), "\"");
}

// Written in the forms `wine reg add` uses: plain strings for REG_SZ, str(n) for the other string
// types, dword: for 4-byte REG_DWORD and hex(n) for everything else.
std::string valueLine(const StoredValue &value) {
    const std::string name = value.name.empty() ? "@" : "\"" + hiveString(value.name) + "\"";
    const bool terminated = !value.data.empty() && value.data.back() == '\0';
    const bool text = value.type == kSz || value.type == kExpandSz || value.type == kMultiSz;
    if (text && terminated) {
        const std::u16string body = platform::cp1252ToUtf16(value.data.substr(0, value.data.size() - 1));
        return name + "=" + (value.type == kSz ? "" : "str(" + std::to_string(value.type) + "):") +
               platform::formatStringData(body);
    }
    if (value.type == kDword && value.data.size() == 4) {
        std::uint32_t number = 0; // the data is little-endian, as is every machine this runs on
        std::memcpy(&number, value.data.data(), 4);
        return name + "=" + platform::formatDwordData(number);
    }
    char buffer[16];
    std::string bytes;
    const std::u16string units = platform::cp1252ToUtf16(value.data);
    std::string raw;
    if (text) // strings are UTF-16 in the hive
        for (const char16_t unit : units)
            raw += static_cast<char>(unit & 0xFF), raw += static_cast<char>(unit >> 8);
    else
        raw = value.data;
    for (const char byte : raw) {
        std::snprintf(buffer, sizeof buffer, bytes.empty() ? "%02x" : ",%02x",
                      unsigned(static_cast<unsigned char>(byte)));
        bytes += buffer;
    }
    std::snprintf(buffer, sizeof buffer, "hex(%x):", unsigned(value.type));
    return name + "=" + buffer + bytes;
}

std::string wineKeyPath(const std::string &path) {
    return platform::escapeHiveString(platform::cp1252ToUtf16(path), "[]");
}

class WineRegistryFixture : public RegistryFixture {
public:
    std::string keyPath(const std::string &name) const override { return "Software\\KvlContract\\" + name; }

    void putKey(RootKey root, const std::string &path, const std::vector<StoredValue> &values) override {
        std::vector<std::string> lines;
        for (const StoredValue &value : values)
            lines.push_back(valueLine(value));
        if (root == RootKey::LocalMachine)
            prefix_.addSystemKey(wineKeyPath(path), lines);
        else
            prefix_.addUserKey(wineKeyPath(path), lines);
    }

    std::optional<StoredValue> readBack(RootKey root, const std::string &path,
                                        const std::string &name) override {
        const std::string text =
            TempPrefix::readFile(root == RootKey::LocalMachine ? prefix_.systemReg() : prefix_.userReg());
        const auto scan = platform::scanHive(text, platform::cp1252ToUtf16(path));
        if (!scan.valid || !scan.key)
            return std::nullopt;
        for (std::size_t pos = scan.key->body; pos < scan.key->end; pos = text.find('\n', pos) + 1) {
            if (text[pos] != '"' && text[pos] != '@')
                continue;
            std::u16string valueName;
            platform::ValueData data;
            pos = platform::parseValueLine(text, pos, &valueName, &data);
            if (!platform::sameName(valueName, platform::cp1252ToUtf16(name)))
                continue;
            StoredValue value{name, data.type, data.bytes};
            if (data.type == kSz || data.type == kExpandSz || data.type == kMultiSz)
                value.data = platform::utf16ToCp1252(platform::textUnits(data));
            return value;
        }
        return std::nullopt;
    }

private:
    TempPrefix prefix_;
};

} // namespace

std::unique_ptr<RegistryFixture> RegistryFixture::create() { return std::make_unique<WineRegistryFixture>(); }

} // namespace kvl::test

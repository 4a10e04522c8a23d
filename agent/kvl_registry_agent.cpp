// The registry agent: runs under Wine in a prefix and answers the Linux program's registry requests
// on its standard input and output (platform/registry_agent_protocol.h), through the same Win32
// functions as the Windows program. It ends when its input ends.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "platform/registry_agent_protocol.h"
#include "platform/win32/registry_open.h"

using namespace kvl::platform;

namespace {

constexpr DWORD kMaxValueName = 16384; // Windows' limit, with the NUL

std::optional<std::string> readExactly(std::size_t size) {
    std::string bytes(size, '\0');
    if (size > 0 && std::fread(bytes.data(), 1, size, stdin) != size)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> readFrame() {
    const auto header = readExactly(4);
    const auto length = header ? agent::payloadLength(*header) : std::nullopt;
    return length ? readExactly(*length) : std::nullopt;
}

class Agent {
public:
    std::string answer(std::string_view payload) {
        agent::Reader request(payload);
        const auto kind = request.number();
        agent::Writer reply;
        switch (static_cast<agent::Request>(kind.value_or(0))) {
        case agent::Request::Hello:
            return reply.number(agent::kVersion).frame();
        case agent::Request::Open: {
            const auto root = request.number(), access = request.number(), view = request.number();
            const auto path = request.bytes();
            if (!request.complete())
                break;
            HKEY key = nullptr;
            const LONG status = openRegistryKey(static_cast<RootKey>(*root), *path,
                                                static_cast<Access>(*access), static_cast<View>(*view), &key);
            if (status != ERROR_SUCCESS)
                return reply.number(status).number(0).frame();
            keys_[++lastHandle_] = key;
            return reply.number(ERROR_SUCCESS).number(lastHandle_).frame();
        }
        case agent::Request::Read:
            if (const auto key = keyOf(request); key != keys_.end() && request.complete())
                return read(key->second);
            break;
        case agent::Request::Write: {
            const auto key = keyOf(request);
            const auto values = request.values();
            if (key != keys_.end() && request.complete())
                return write(key->second, *values);
            break;
        }
        case agent::Request::Close:
            if (const auto key = keyOf(request); key != keys_.end() && request.complete()) {
                const HKEY closed = key->second;
                keys_.erase(key);
                return reply.number(RegCloseKey(closed)).frame();
            }
            break;
        }
        return reply.number(ERROR_INVALID_PARAMETER).number(0).frame();
    }

private:
    using Keys = std::map<std::uint32_t, HKEY>;

    // The open key the request names, or keys_.end().
    Keys::iterator keyOf(agent::Reader &request) {
        const auto handle = request.number();
        return handle ? keys_.find(*handle) : keys_.end();
    }

    // The value as RegQueryValueExA gives it: its type and data, their size asked for first.
    static LONG query(HKEY key, const std::string &name, agent::Value &value) {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
        std::string data(size, '\0');
        if (status == ERROR_SUCCESS && size > 0)
            status = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE *>(data.data()), &size);
        data.resize(std::min<std::size_t>(size, data.size()));
        value = {name, type, std::move(data)};
        return status;
    }

    static LONG set(HKEY key, const agent::Value &value) {
        return RegSetValueExA(key, value.name.c_str(), 0, value.type,
                              reinterpret_cast<const BYTE *>(value.data.data()),
                              static_cast<DWORD>(value.data.size()));
    }

    static std::string read(HKEY key) {
        std::vector<agent::Value> values;
        for (DWORD index = 0;; ++index) {
            std::string name(kMaxValueName, '\0');
            DWORD nameSize = kMaxValueName;
            LONG status =
                RegEnumValueA(key, index, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            name.resize(nameSize);
            if (status == ERROR_SUCCESS)
                status = query(key, name, values.emplace_back());
            if (status != ERROR_SUCCESS)
                return agent::Writer().number(status).number(0).frame();
        }
        return agent::Writer().number(ERROR_SUCCESS).values(values).frame();
    }

    // All the values or none: where one is refused, those set before it get their old data back (or go
    // again, where they were new).
    static std::string write(HKEY key, const std::vector<agent::Value> &values) {
        std::vector<std::optional<agent::Value>> before(values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            if (agent::Value old; query(key, values[i].name, old) == ERROR_SUCCESS)
                before[i] = std::move(old);
        for (std::uint32_t i = 0; i < values.size(); ++i) {
            const LONG status = set(key, values[i]);
            if (status == ERROR_SUCCESS)
                continue;
            for (std::uint32_t j = 0; j < i; ++j)
                before[j] ? set(key, *before[j]) : RegDeleteValueA(key, values[j].name.c_str());
            return agent::Writer().number(status).number(i).frame();
        }
        return agent::Writer().number(ERROR_SUCCESS).number(0).frame();
    }

    Keys keys_;
    std::uint32_t lastHandle_ = 0;
};

} // namespace

int main() {
    // Text mode would turn every 0x0A of a frame into 0x0D 0x0A.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    Agent agent;
    while (const auto payload = readFrame()) {
        const std::string reply = agent.answer(*payload);
        if (std::fwrite(reply.data(), 1, reply.size(), stdout) != reply.size() || std::fflush(stdout) != 0)
            return 1;
    }
    return 0;
}

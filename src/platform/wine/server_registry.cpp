#include "platform/wine/server_registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/cp1252.h"
#include "platform/system.h"
#include "platform/wine/atomic_file.h"
#include "platform/wine/reg_tool.h"
#include "platform/wine/wine_server.h"

namespace fs = std::filesystem;

namespace kvl::platform {

namespace {

// A private folder for the files handed to the tool, gone with the object.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        std::string pattern = (fs::temp_directory_path(error) / "kvl-reg-XXXXXX").string();
        if (!error && ::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    std::string file() const { return path_ + "/key.reg"; }
    bool write(const std::string &bytes) const {
        std::ofstream out(file(), std::ios::binary);
        return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good();
    }
    // The file as the tool names it, through the prefix's drives; nothing when no drive reaches it.
    std::optional<std::string> wineFile() const {
        if (path_.empty())
            return std::nullopt;
        const auto name = windowsPath(file());
        return name ? std::optional(cp1252ToUtf8(*name)) : std::nullopt;
    }

private:
    std::string path_;
};

std::string rootName(RootKey root, bool full) {
    if (root == RootKey::LocalMachine)
        return full ? "HKEY_LOCAL_MACHINE" : "HKLM";
    return full ? "HKEY_CURRENT_USER" : "HKCU";
}

std::string keyArgument(RootKey root, std::u16string_view keyPath) {
    return rootName(root, false) + "\\" + cp1252ToUtf8(utf16ToCp1252(keyPath));
}

std::u16string keyName(RootKey root, std::u16string_view keyPath) {
    return cp1252ToUtf16(rootName(root, true) + "\\") + std::u16string(keyPath);
}

// Run last after each use of the tool: a tool of another Wine build starts a server of its own (and
// would hand the values to that one).
bool stillAlone(const std::string &prefix, pid_t server) {
    return prefixServers(prefix) == std::vector<pid_t>{server};
}

bool run(const std::string &prefix, pid_t server, const std::vector<std::string> &arguments) {
    return runWineReg(prefix, arguments) && stillAlone(prefix, server);
}

} // namespace

ServerRead readThroughServer(const std::string &prefix, pid_t server, RootKey root,
                             std::u16string_view keyPath) {
    const ScratchFolder scratch;
    const auto file = scratch.wineFile();
    if (!file)
        return {};
    const std::string key = keyArgument(root, keyPath);
    if (run(prefix, server, {"export", key, *file, "/y"})) {
        const auto exported = readWholeFile(scratch.file());
        auto values = exported ? exportedValues(*exported, keyName(root, keyPath)) : std::nullopt;
        if (!values)
            return {};
        return {ServerAnswer::Done, std::move(*values)};
    }
    // The tool fails alike for a missing key and for its own trouble; a working tool finds the root.
    const bool missing =
        !runWineReg(prefix, {"query", key}) && run(prefix, server, {"query", rootName(root, false)});
    return {missing ? ServerAnswer::KeyMissing : ServerAnswer::Unreachable, {}};
}

ServerAnswer writeThroughServer(const std::string &prefix, pid_t server, std::optional<pid_t> verifiedBy,
                                RootKey root, std::u16string_view keyPath,
                                const std::vector<NamedValue> &values) {
    if (verifiedBy != server) {
        const ServerAnswer check = readThroughServer(prefix, server, root, keyPath).answer;
        if (check != ServerAnswer::Done)
            return check;
    }
    const ScratchFolder scratch;
    const auto file = scratch.wineFile();
    if (!file || !scratch.write(importFile(keyName(root, keyPath), values)))
        return ServerAnswer::Unreachable;
    return run(prefix, server, {"import", *file}) ? ServerAnswer::Done : ServerAnswer::Unreachable;
}

} // namespace kvl::platform

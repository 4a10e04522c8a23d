#include "platform/system.h"

#include <algorithm>

#include <windows.h>

#include <shellapi.h>

namespace kvl::platform {

std::string executableFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string executable(path, length);
    return executable.substr(0, executable.find_last_of('\\') + 1);
}

bool fileExists(const FilePath &file) {
    const DWORD attributes = GetFileAttributesA(file.text.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string nativePath(const std::string &windowsPath) { return windowsPath; }

// The toolkit's dialogs give paths with '/'; the host's settings hold them as Windows writes them.
std::optional<std::string> windowsPath(const std::string &nativePath) {
    std::string path = nativePath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::vector<DrivePlace> drivePlaces() { return {}; }

// The registry is always there.
std::optional<TranslatedError> hostStoreProblem() { return std::nullopt; }

bool hostStoreMayWait() { return false; }

void shellOpen(const std::string &target) {
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace kvl::platform

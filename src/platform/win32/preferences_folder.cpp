#include "platform/win32/preferences_folder.h"

#include <cstdlib>

#include <windows.h>

#include <shlobj.h>

#include "platform/system.h"

namespace kvl::platform {

namespace {

// Program Files takes no new files from standard users, nor from administrators without elevation.
bool folderTakesNewFiles(const std::string &folder) {
    const std::string probe = folder + ".kvl-probe-" + std::to_string(GetCurrentProcessId());
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// %APPDATA% as the user's session sets it, else the shell's own folder for roaming application data.
std::string roamingFolder() {
    if (const char *appData = std::getenv("APPDATA"); appData && appData[0] != '\0')
        return appData;
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return folder;
}

} // namespace

std::string preferencesFolderFor(const std::string &executableFolder) {
    if (folderTakesNewFiles(executableFolder))
        return executableFolder;
    std::string folder = roamingFolder();
    // Nowhere else to go: the write at the exit names the file it could not write.
    if (folder.empty())
        return executableFolder;
    if (folder.back() != '\\')
        folder += '\\';
    return folder + "KVL-17+ Settings Editor\\";
}

std::string preferencesFolder() { return preferencesFolderFor(executableFolder()); }

void makeFolders(const std::string &folder) {
    // Each parent in turn; those that exist, and a drive or server name, refuse without harm.
    for (auto end = folder.find('\\'); end != std::string::npos; end = folder.find('\\', end + 1))
        CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

} // namespace kvl::platform

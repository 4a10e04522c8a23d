#include "platform/wine/preferences_folder.h"

#include "platform/system.h"
#include "platform/wine/replaced_file.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace kvl::platform {

namespace {

// A relative XDG_CONFIG_HOME is to be ignored, as the XDG base directory rules say.
std::string userConfigFolder() {
    if (const char *configHome = std::getenv("XDG_CONFIG_HOME"); configHome && configHome[0] == '/')
        return configHome;
    const char *home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

} // namespace

// Folders made here are the user's alone, as the XDG rules ask of the configuration folder.
void makeFolders(const std::string &folder) {
    std::filesystem::path partial;
    for (const auto &component : std::filesystem::path(folder)) {
        partial /= component;
        ::mkdir(partial.c_str(), 0700);
    }
}

std::string preferencesFolderFor(const std::string &executableFolder) {
    // An installed program's folder (/usr/bin) is not the user's to write.
    if (folderTakesNewFiles(executableFolder))
        return executableFolder;
    std::string folder = userConfigFolder() + "/kvl-settings-editor/";
    makeFolders(folder);
    return folder;
}

std::string preferencesFolder() { return preferencesFolderFor(executableFolder()); }

} // namespace kvl::platform

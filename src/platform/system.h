#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_path.h"

namespace kvl::platform {

// The running executable's folder, ending in the platform's separator ('\' on Windows, '/' on Linux).
std::string executableFolder();

// The folder of the editor's own "settings.ini", ending in the platform's separator: the executable's
// folder where the user may make files there (a portable copy), else the user's own folder for it.
// Windows: %APPDATA%\KVL-17+ Settings Editor\ (the shell's folder for it when %APPDATA% is unset),
// made by the first write. Linux: $XDG_CONFIG_HOME/kvl-settings-editor/ (~/.config/... by default),
// made at once.
std::string preferencesFolder();

// Makes a folder and its missing parents (on Linux for the user alone); existing ones stay as they
// are. A folder that cannot be made shows when a file in it is written.
void makeFolders(const std::string &folder);

// Whether a regular file exists at a path.
bool fileExists(const FilePath &file);

// A host (Windows) path as a native path. Windows: unchanged. Linux: through the prefix's
// dosdevices links, each component resolved case-insensitively; a path without a drive is on C:.
std::string nativePath(const std::string &windowsPath);

// A native path as a host (Windows) path. Windows: unchanged. Linux: the longest matching drive of
// the prefix, z: (the root) last; nullopt when no drive reaches it.
std::optional<std::string> windowsPath(const std::string &nativePath);

// A drive of the host's world that file dialogs offer as a place of their own.
struct DrivePlace {
    char letter;        // upper case
    std::string folder; // the native folder that opens the drive
};

// Linux: the prefix's drives (its dosdevices links that reach a folder), by letter; each folder is the
// link itself, so that paths below it keep showing the drive. Windows: none, the system's dialogs list
// the drives themselves.
std::vector<DrivePlace> drivePlaces();

// Why the host's settings cannot be where the program looks for them, or nullopt when they can.
// Linux: the prefix folder holds no registry of Wine. Windows: never.
std::optional<TranslatedError> hostStoreProblem();

// Whether loads and Applies reach the host's settings through another program that may keep them waiting
// (Linux: a Wine server runs in the prefix, and Wine's tools ask it). Windows: never.
bool hostStoreMayWait();

// Asks the shell to "open" a document or web address; the result is not examined.
void shellOpen(const std::string &target);

} // namespace kvl::platform

#pragma once

#include <cstdint>
#include <string>

namespace kvl::prefs {

// The editor's own preferences, kept in "settings.ini" (section User).
struct EditorPreferences {
    std::string language = "ENG"; // interface language code, 8-bit text
    std::string lastSaveDir;      // export dialog's initial folder
    std::int32_t showStart = 1;
    std::int32_t useHints = 1;
    std::int32_t closeConfirmOn = 1;
    std::int32_t skinIndex = 0; // SelectedWinVersion

    bool operator==(const EditorPreferences &) const = default;
};

// "settings.ini" in the folder the platform keeps it in (ending in its separator).
std::string preferencesFilePath(const std::string &folder);
// Never fails on the file's account: missing file, section or key give the defaults
// (LastSaveDir's default is the given folder).
EditorPreferences readEditorPreferences(const std::string &iniPath, const std::string &firstExportFolder);
// The six keys in order; raises kvl::Error "Unable to write to <path>" at the first refused key,
// keys written before it stay written.
void writeEditorPreferences(const EditorPreferences &prefs, const std::string &iniPath);

} // namespace kvl::prefs

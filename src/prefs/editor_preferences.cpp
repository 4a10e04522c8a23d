#include "prefs/editor_preferences.h"

#include "host/integer_text.h"
#include "platform/profile.h"

namespace kvl::prefs {

namespace {

constexpr const char *kSection = "User";
constexpr const char *kLanguage = "Language";
constexpr const char *kLastSaveDir = "LastSaveDir";
constexpr const char *kShowStart = "ShowStart";
constexpr const char *kUseHints = "UseHints";
constexpr const char *kCloseConfirmOn = "CloseConfirmOn";
constexpr const char *kSkinIndex = "SelectedWinVersion";

std::int32_t readInteger(const platform::IniFile &file, const char *key, std::int32_t defaultValue) {
    return host::iniInteger(file.readString(kSection, key, ""), defaultValue);
}

} // namespace

std::string preferencesFilePath(const std::string &folder) { return folder + "settings.ini"; }

EditorPreferences readEditorPreferences(const std::string &iniPath, const std::string &firstExportFolder) {
    const platform::IniFile file(platform::nativeFile(iniPath));
    const EditorPreferences defaults;
    EditorPreferences prefs;
    prefs.language = file.readString(kSection, kLanguage, defaults.language);
    prefs.lastSaveDir = file.readString(kSection, kLastSaveDir, firstExportFolder);
    prefs.showStart = readInteger(file, kShowStart, defaults.showStart);
    prefs.useHints = readInteger(file, kUseHints, defaults.useHints);
    prefs.closeConfirmOn = readInteger(file, kCloseConfirmOn, defaults.closeConfirmOn);
    prefs.skinIndex = readInteger(file, kSkinIndex, defaults.skinIndex);
    return prefs;
}

void writeEditorPreferences(const EditorPreferences &prefs, const std::string &iniPath) {
    platform::IniFile file(platform::nativeFile(iniPath));
    file.writeString(kSection, kLanguage, prefs.language);
    // The quotes keep blanks at the folder's ends; reading takes them off again.
    file.writeString(kSection, kLastSaveDir, "\"" + prefs.lastSaveDir + "\"");
    file.writeString(kSection, kShowStart, std::to_string(prefs.showStart));
    file.writeString(kSection, kUseHints, std::to_string(prefs.useHints));
    file.writeString(kSection, kCloseConfirmOn, std::to_string(prefs.closeConfirmOn));
    file.writeString(kSection, kSkinIndex, std::to_string(prefs.skinIndex));
}

} // namespace kvl::prefs

#pragma once

namespace kvl::i18n {

// Texts no language switch changes (UTF-8).
inline constexpr const char *kApplicationTitle = "KVL-17+ Settings Editor";
inline constexpr const char *kVersion = "2.03";
inline constexpr const char *kVersionLine = "Version 2.03";
inline constexpr const char *kSettingsTabCaption = "KVL 17";
inline constexpr const char *kMaxObjRange = "(1000 <> 2500)";
// Items of the preferences dialog: the interface languages, and the skins, whose names are also the
// built-in themes' names, by skin index.
inline constexpr const char *kLanguageItems[] = {"English", "Deutsch"};
inline constexpr const char *kSkinNames[] = {"Windows 10", "Windows 11"};
// The theme of a skin index: 1 is "Windows 11", any other "Windows 10".
constexpr const char *skinName(int skinIndex) { return kSkinNames[skinIndex == 1 ? 1 : 0]; }
extern const char *const kWebAddress;         // the maker's web site, used by both link labels
extern const char *const kWebCaption;         // the status-bar link's caption
extern const char *const kCopyrightLine;      // About dialog and start-up panel
extern const char *const kStatusBarCopyright; // third status-bar panel, ends in "v2.03"
extern const char *const kDistributionTermsEnglish;
extern const char *const kDistributionTermsGerman;
extern const char *const kPreferencesDesignCaption;

} // namespace kvl::i18n

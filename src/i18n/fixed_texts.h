#pragma once

namespace kvl::i18n {

// Texts no language switch changes (UTF-8).
inline constexpr const char *kApplicationTitle = "KVL-17+ Settings Editor";
inline constexpr const char *kVersion = "2.03";
inline constexpr const char *kVersionLine = "Version 2.03";
inline constexpr const char *kSettingsTabCaption = "KVL 17";
inline constexpr const char *kMaxObjRange = "(1000 <> 2500)";
extern const char *const kWebAddress;         // the maker's web site, used by both link labels
extern const char *const kWebCaption;         // the status-bar link's caption
extern const char *const kCopyrightLine;      // About dialog and start-up panel
extern const char *const kStatusBarCopyright; // third status-bar panel, ends in "v2.03"
extern const char *const kDistributionTermsEnglish;
extern const char *const kDistributionTermsGerman;
extern const char *const kPreferencesDesignCaption;

} // namespace kvl::i18n

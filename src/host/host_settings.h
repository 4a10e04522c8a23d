#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvl::host {

// Where the host keeps its settings. All texts here are 8-bit code page 1252.
inline constexpr int kHostVersion = 17;
std::string hostKeyPath(int version); // "\SOFTWARE\Varnel\KVL 17.00\QTRX"

inline constexpr const char *kFilterSuffix = "\\Resourcen\\Categories\\Filters\\deprecated_models.inf";
inline constexpr const char *kFilterSection = "deprecated_models_001";
inline constexpr const char *kFilterKey = "DefaultSetting";
inline constexpr const char *kLayoutResetSuffix = "\\Resourcen\\Anlagen";
inline constexpr const char *kMediaResetSuffix = "\\KVL17_Media";
inline constexpr const char *kLuaResetText = "notepad";

// The text MaxObj shows after a load: the first four hex digits of the stored value, in decimal.
std::string maxObjLoadText(std::uint32_t stored);
// The export's form of MaxObj: upper-case hex, at least four digits, of the value taken as unsigned.
std::string maxObjHex(std::int32_t value);

// DefaultSetting as read from the filter file -> whether "permanently display outdated models" is on.
bool showAlwaysDeprecatedFromFilter(std::string_view text);

// Display name of a host language code for an interface language; nullopt leaves the field as it was.
std::optional<std::string> hostLanguageName(std::string_view hostCode, std::string_view interfaceCode);

} // namespace kvl::host

#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/host_page.h"

namespace kvl::host {

// The host user key's values in the order the load reads them and Apply and the export write them.
struct FlagValue {
    const char *name;
    Flag flag;
};
inline constexpr std::array<FlagValue, 3> kFlagValues{{
    {"CtrlWindow", Flag::Dock},
    {"AutoSaveDLG", Flag::AutoSave},
    {"HideOldMdl", Flag::HideOldModels},
}};
struct PathValue {
    const char *name;
    PathField field;
};
inline constexpr std::array<PathValue, 4> kPathValues{{
    {"LastANL", PathField::LastLayout},
    {"ANLPath", PathField::LayoutFolder},
    {"AviPath", PathField::MediaFolder},
    {"LuaExtEd", PathField::LuaEditor},
}};
inline constexpr const char *kMaxObjValue = "MaxObj";

// What Apply and the export store for the page's values, read from the controls at this moment.

// The field's text, or the empty string while the reset of the last layout or the Lua editor is checked.
std::string storedPathText(const HostPage &page, PathField field);

// EMaxObj17 as an integer; an empty field is first set to "0". Raises kvl::Error for a rejected text.
std::int32_t storedMaxObj(HostPage &page);

} // namespace kvl::host

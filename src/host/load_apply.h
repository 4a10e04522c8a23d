#pragma once

#include <string>

#include "host/host_page.h"

namespace kvl::host {

// What a load needs beyond the page: the first-load flag (cleared by the load after the install-key
// step), the interface language code for the host language's display name, and the host language
// code, held between loads: a load that cannot open the install key still names the code read before.
struct LoadContext {
    bool &firstLoad;
    const std::string &interfaceLanguage;
    std::string &hostLanguageCode;
};

// The load (BReloadClick). Raises kvl::Error at the first failing step; what was set stays set, and the
// page's record tells Apply which values that was.
void loadHostSettings(HostPage &page, LoadContext context);
// Apply (BApplyClick). Raises kvl::Error at the first failing step; what was written stays written. After
// a load that stopped at an error, only what it loaded and what the user changed since is stored.
void applyHostSettings(HostPage &page);
// The filter file's path as built from the install directory (plain concatenation).
std::string filterFilePath(const HostPage &page);

} // namespace kvl::host

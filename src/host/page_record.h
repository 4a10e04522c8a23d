#pragma once

#include <bitset>

#include "host/host_page.h"

namespace kvl::host {

// The page's controls that hold a stored value, one for each flag, path edit and EMaxObj17.
enum class PageValue {
    Dock,
    AutoSave,
    HideOldModels,
    ShowAlwaysDeprecated,
    LayoutFolder,
    LastLayout,
    MediaFolder,
    LuaEditor,
    MaxObj,
};
constexpr PageValue pageValue(Flag flag) {
    switch (flag) {
    case Flag::Dock:
        return PageValue::Dock;
    case Flag::AutoSave:
        return PageValue::AutoSave;
    case Flag::HideOldModels:
        return PageValue::HideOldModels;
    case Flag::ShowAlwaysDeprecated:
        return PageValue::ShowAlwaysDeprecated;
    }
    return PageValue::MaxObj; // not reached: the switch names every flag, and the compiler checks it
}
constexpr PageValue pageValue(PathField field) {
    switch (field) {
    case PathField::LayoutFolder:
        return PageValue::LayoutFolder;
    case PathField::LastLayout:
        return PageValue::LastLayout;
    case PathField::MediaFolder:
        return PageValue::MediaFolder;
    case PathField::LuaEditor:
        return PageValue::LuaEditor;
    }
    return PageValue::MaxObj; // not reached, as above
}
constexpr std::size_t kPageValues = static_cast<std::size_t>(PageValue::MaxObj) + 1;

// Which values the last load put on the page and which controls the user has changed since. After a
// load that stopped at an error, the rest of the page shows texts nobody read from the store (the
// design-time ones, or what an earlier load left): Apply leaves those values in the store as they are.
// After a complete load everything is stored, as the page is then what the store held.
class PageRecord {
public:
    void loadStarted();
    void loaded(PageValue value) { loaded_.set(static_cast<std::size_t>(value)); }
    void loadFinished() { complete_ = true; }
    void changedByUser(PageValue value) {
        changed_.set(static_cast<std::size_t>(value));
        unsaved_ = true;
    }
    bool mayStore(PageValue value) const;
    // Whether the user changed the page since the last load or Apply.
    bool unsaved() const { return unsaved_; }
    void stored() { unsaved_ = false; }

private:
    bool complete_ = true;
    std::bitset<kPageValues> loaded_;
    std::bitset<kPageValues> changed_;
    bool unsaved_ = false;
};

} // namespace kvl::host

#pragma once

#include <string>

namespace kvl::host {

class PageRecord;

// The settings page as the load, Apply and the export see it. The page's controls are the data:
// every call reads or writes a control at that moment. Texts are 8-bit code page 1252.
enum class Flag { Dock, AutoSave, HideOldModels, ShowAlwaysDeprecated };
enum class PathField { LayoutFolder, LastLayout, MediaFolder, LuaEditor };

class HostPage {
public:
    virtual ~HostPage() = default;

    virtual void showSettingsTab() = 0;    // make the tab of TS17 visible
    virtual void selectSettingsPage() = 0; // make TS17 the active page

    virtual std::string installDirectory() const = 0; // EPath17
    virtual void setInstallDirectory(const std::string &text) = 0;
    virtual void setHostLanguageName(const std::string &text) = 0; // ELang17

    virtual bool flag(Flag flag) const = 0;
    virtual void setFlag(Flag flag, bool checked) = 0;

    // Setting a path edit's text runs its change handler when attached (remembered choice follows).
    virtual std::string pathText(PathField field) const = 0;
    virtual void setPathText(PathField field, const std::string &text) = 0;
    virtual void setRememberedChoice(PathField field, const std::string &text) = 0;
    virtual bool resetChecked(PathField field) const = 0;
    // A real change of state runs the box's click handler, as a user's click does.
    virtual void setResetChecked(PathField field, bool checked) = 0;

    virtual std::string maxObjText() const = 0; // EMaxObj17
    virtual void setMaxObjText(const std::string &text) = 0;

    // Whether the page says that the values it shows may be older than what Wine programs see: the load
    // read stored files while Wine ran in the prefix and could not be asked.
    virtual void showOutdatedNote(bool shown) = 0;

    // What the last load set and what the user changed since; the page reports the user's changes.
    virtual PageRecord &record() = 0;
};

} // namespace kvl::host

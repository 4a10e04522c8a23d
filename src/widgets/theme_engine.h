#pragma once

#include <QString>
#include <optional>

// Draws every window in one of the built-in themes "Windows 10" and "Windows 11".
// A theme of the same name in the theme folder takes precedence: a folder "<name>" holding "skin.ini"
// (its style sheet in "skin.qss" beside it), else a style sheet file "<name>.skin".
class TThemeEngine {
public:
    QString skinTitle() const { return skinTitle_; }
    void setSkinTitle(const QString &name); // loads it at once while active
    bool active() const { return active_; }
    void setActive(bool on);
    QString skinFolder() const { return skinFolder_; }
    void setSkinFolder(const QString &hostFolder) { skinFolder_ = hostFolder; }
    // How many times a theme was loaded (each load redraws every open window).
    int loadCount() const { return loadCount_; }

private:
    void load();
    std::optional<QString> folderTheme(const QString &name) const; // nullopt when there is none
    QString skinTitle_ = "Windows 10";
    QString skinFolder_ = "c:\\Skins";
    bool active_ = true;
    int loadCount_ = 0;
};

#pragma once

#include <QString>

// Draws every window in one of the built-in themes "Windows 10" and "Windows 11".
class TThemeEngine {
public:
    QString skinTitle() const { return skinTitle_; }
    void setSkinTitle(const QString &name); // loads it at once while active
    bool active() const { return active_; }
    void setActive(bool on);

private:
    void load();
    QString skinTitle_ = "Windows 10";
    bool active_ = true;
};

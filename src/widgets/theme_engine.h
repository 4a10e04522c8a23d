#pragma once

#include "widgets/move_fade.h"

#include <QPalette>
#include <QString>
#include <optional>

namespace kvl::widgets {
class ThemeData;
}

// Draws every window of the program in a theme: "Windows 10" and "Windows 11" are built in; a theme
// of the same name in the theme folder comes first, unpacked (a folder "<name>" holding "skin.ini")
// or packed (a file "<name>.skin"). While active it also fades windows while they are moved.
class TThemeEngine {
public:
    QString skinTitle() const { return skinTitle_; }
    void setSkinTitle(const QString &name); // loads it at once while active
    bool active() const { return active_; }
    void setActive(bool on); // on loads the theme named by skinTitle; off draws the plain look
    QString skinFolder() const { return skinFolder_; }
    void setSkinFolder(const QString &hostFolder) { skinFolder_ = hostFolder; }
    // How many times a theme was loaded (each load redraws every open window).
    int loadCount() const { return loadCount_; }

    TMoveFade MoveFade;

private:
    void load();
    void apply(const kvl::widgets::ThemeData &theme);
    void showPlainLook();

    QString skinTitle_ = QStringLiteral("Windows 10");
    QString skinFolder_ = QStringLiteral("c:\\Skins");
    bool active_ = true;
    int loadCount_ = 0;
    std::optional<QPalette> plainPalette_; // the program's palette before the first theme
};

#include "i18n/texts.h"

#include "i18n/fixed_texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace kvl::i18n {

namespace {

using K = TextKind;

constexpr TextRow kMainWindow[] = {
    {"BSettings", K::Hint, "Program settings", "Program settings", "Programmeinstellungen"},
    {"BAbout", K::Hint, "About...", "About...", "Über..."},
    {"BManual", K::Hint, "View manual", "Open manual", "Handbuch öffnen"},
    {"BClose", K::Hint, "End program", "End program", "Programm beenden"},
    {"GB117", K::Caption, "Info", " Info ", " Info "},
    {"GB217", K::Caption, "Settings", " Registry settings ", " Registry-einstellungen "},
    {"L17Installed", K::Caption, "Installed in", "Installed in", "Installiert in"},
    {"L17Language", K::Caption, "Language", "Language", "Sprache"},
    {"BApply17", K::Hint, "Apply changes", "Apply changes to the registry and other files",
     "Änderungen in die Registry und andere Dateien übernehmen"},
    {"BReload17", K::Hint, "Reload values", "Reload registry values and other settings",
     "Registry-Werte und andere Einstellungen erneut laden"},
    {"BSave17", K::Hint, "Create external registry file", "Create external registry file",
     "Externe Registry-Datei erstellen"},
    {"LPathAnl17", K::Caption, "Layout path", "Layout path", "Anlagenpfad"},
    {"LAnl17", K::Caption, "Last layout", "Last layout", "Letzte Anlage"},
    {"LMediaAnl17", K::Caption, "Media path", "Media path", "Medienpfad"},
    {"LLuaAnl17", K::Caption, "Lua editor", "External Lua editor", "Externer Lua-Editor"},
    {"CBAnl17", K::Caption, "Reset to demo", "Reset to demo version", "Auf demo wiederherstellen"},
    {"CBPathAnl17", K::Caption, "Reset to default", "Reset to default", "Zurücksetzen"},
    {"CBMediaAnl17", K::Caption, "Reset to default", "Reset to default", "Zurücksetzen"},
    {"CBLuaAnl17", K::Caption, "Reset to default", "Reset to default", "Zurücksetzen"},
    {"CBDock17", K::Caption, "Dock/Undock windows", "Dock/Undock windows", "Fenster andocken/abdocken"},
    {"CBAutosave17", K::Caption, "No more asking before auto-saving", "No more asking before auto-saving",
     "Abfrage Automatisches Speichern aus"},
    {"CBDepreciated17", K::Caption, "Hide depreciated models", "Hide depriciated models",
     "Veraltete Modelle ausblenden"},
    {"CBShowAlwaysDepreciated17", K::Caption, "Registry override - permanently display outdated models",
     "Registry override - permanently display outdated models",
     "Registrierungsüberschreibung - veraltete Modelle dauerhaft anzeigen"},
    {"LMaxObj17", K::Caption, "Maximum selectable items in 2D window",
     "Maximum selectable items in 2D window", "Maximal auswählbare Elemente im 2D-Fenster"},
    {"LCBWarning", K::Caption, "Show a warning message at program start",
     "Show this warning message at program start", "Diese Warnmeldung beim Programmstart anzeigen"},
    {"LSWarning", K::Caption,
     "WARNING !\r\n\r\nTo apply the changes to the registry correctly no KVL-version may be running as\r\n"
     "an active KVL-version will rewrite the settings.\r\n\r\n"
     "Close KVL before applying the changes from this program to the registry.",
     "WARNING !\r\rTo apply the changes to the registry correctly, no KVL-version may be running as an "
     "active "
     "KVL-version will write it's own settings.\r\r"
     "Close KVL before applying the changes from this program to the registry.",
     "WARNUNG !\r\rUm die  Änderungen korrekt in die Registry zu übernehmen darf keine KVL-Version "
     "ausgeführt "
     "werden, da eine aktive KVL-Version \rihre eigenen Einstellungen schreibt.\r\r"
     "Schließe bitte KVL, bevor die Änderungen dieses Programms in die Registry übernommen werden."},
};

constexpr TextRow kConfirm[] = {
    {"LTxt", K::Caption, "Would you like to exit the program ?", "Would you like to exit the program ?",
     "Möchten Sie das Programm beenden ?"},
    {"BYes", K::Hint, "Yes", "Yes", "Ja"},
    {"BNo", K::Hint, "No", "No", "Nein"},
};

// A label shows "\r" and "\r\n" as one line break each.
QString displayText(const char *text) {
    QString shown = QString::fromUtf8(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void setCaption(QWidget &control, const char *text) {
    if (auto *label = qobject_cast<QLabel *>(&control)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(displayText(text));
        if (!label->wordWrap() && label->text().contains(QLatin1Char('\n')))
            label->adjustSize(); // the multi-line warning sizes itself to its text
    } else if (auto *button = qobject_cast<QAbstractButton *>(&control)) {
        button->setText(QString::fromUtf8(text));
    } else if (auto *group = qobject_cast<QGroupBox *>(&control)) {
        group->setTitle(QString::fromUtf8(text));
    }
}

void applyText(QWidget &window, const TextRow &row, const char *text) {
    if (row.kind == K::WindowCaption) {
        window.setWindowTitle(QString::fromUtf8(text));
        return;
    }
    QWidget *control = window.findChild<QWidget *>(QString::fromLatin1(row.control));
    if (!control)
        return;
    switch (row.kind) {
    case K::Caption:
        setCaption(*control, text);
        break;
    case K::BoundLabel:
        control->setProperty("captionLabel", QString::fromUtf8(text));
        break;
    case K::Hint:
        control->setProperty("hint", QString::fromUtf8(text));
        break;
    case K::WindowCaption:
        break;
    }
}

} // namespace

std::span<const TextRow> mainWindowTexts() { return kMainWindow; }

std::span<const TextRow> preferencesTexts() {
    static const TextRow rows[] = {
        {"", K::WindowCaption, kPreferencesDesignCaption, "Program settings", "Programmeinstellungen"},
        {"CBLanguage", K::BoundLabel, "Language", "Language", "Sprache"},
        {"CBSkin", K::BoundLabel, "Skin", "Windows environment", "Windows-Umgebung"},
        {"BDiscard", K::Hint, "Discard the changes and close", "Discard changes and close",
         "Änderungen verwerfen und schließen"},
        {"BAccept", K::Hint, "Accept the changes and close", "Accept changes and close",
         "Änderungen akzeptieren und schließen"},
        {"LCBHints", K::Caption, "Show button hints", "Use hints", "Hinweise verwenden"},
        {"LCBWarning", K::Caption, "Show a warning message at program start",
         "Show a warning message at program start", "Eine Warnmeldung beim Programmstart anzeigen"},
        {"LCBExit", K::Caption, "Confirm the program exit", "Confirm the program exit",
         "Das Ende des Programms bestätigen"},
    };
    return rows;
}

std::span<const TextRow> aboutTexts() {
    static const TextRow rows[] = {
        {"", K::WindowCaption, "About...", "About...", "Über..."},
        {"LAbout1", K::Caption, "Version", "Version", "Version"},
        {"LAbout2", K::Caption, kCopyrightLine, kCopyrightLine, kCopyrightLine},
        {"LAbout3", K::Caption, kDistributionTermsEnglish, kDistributionTermsEnglish,
         kDistributionTermsGerman},
        {"LABout4", K::Caption, "This program supports KVL versions 17+",
         "This program supports KVL versions 11 up to 17",
         "Dieses Programm unterstützt die KVL-Versionen 11 bis 17"},
        {"LAbout5", K::Caption, "Visit my website :", "Visit my website :", "Besuche meine Website :"},
        {"BClose", K::Hint, "Close", "Close", "Schließen"},
    };
    return rows;
}

std::span<const TextRow> confirmTexts() { return kConfirm; }

void applyDesignTimeTexts(QWidget &window, std::span<const TextRow> rows) {
    for (const TextRow &row : rows)
        applyText(window, row, row.designTime);
}

void applyLanguage(QWidget &window, std::span<const TextRow> rows, const std::string &languageCode) {
    if (languageCode == "ENG")
        for (const TextRow &row : rows)
            applyText(window, row, row.english);
    if (languageCode == "GER")
        for (const TextRow &row : rows)
            applyText(window, row, row.german);
}

} // namespace kvl::i18n

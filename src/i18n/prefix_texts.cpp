#include "i18n/prefix_texts.h"

#include "i18n/in_language.h"

#include <array>
#include <utility>

namespace kvl::i18n {

namespace {

using Pair = std::pair<const char *, const char *>; // English, German

// In the order of PrefixText.
constexpr std::array kTexts{
    Pair{"Choose a Wine prefix", "Wine-Präfix wählen"},
    Pair{"Choose the Wine prefix whose settings of KVL 17 you want to edit:",
         "Wählen Sie das Wine-Präfix, dessen Einstellungen von KVL 17 Sie bearbeiten möchten:"},
    Pair{"Source", "Quelle"},
    Pair{"Name", "Name"},
    Pair{"KVL 17 folder", "Ordner von KVL 17"},
    Pair{"(not installed)", "(nicht installiert)"},
    Pair{"Remember this choice", "Diese Wahl merken"},
    Pair{"Open the chosen prefix", "Das gewählte Präfix öffnen"},
    Pair{"Cancel", "Abbrechen"},
    Pair{"Wine prefix: %1", "Wine-Präfix: %1"},
    Pair{"KVL 17 is not installed in the Wine prefix %1", "KVL 17 ist im Wine-Präfix %1 nicht installiert"},
    Pair{"KVL 17 was not found in any Wine prefix", "KVL 17 wurde in keinem Wine-Präfix gefunden"},
    Pair{"%1\nClick here or press Ctrl+O to choose another Wine prefix.",
         "%1\nKlicken Sie hier oder drücken Sie Strg+O, um ein anderes Wine-Präfix zu wählen."},
    Pair{"KVL 17 was not found in any Wine prefix. The editor looked in:\n%1\n\n"
         "To edit the settings of a prefix that is kept elsewhere, name it when you start the editor, for "
         "example in a terminal:\n"
         "kvl-settings-editor --prefix $HOME/.wine-kvl\n"
         "WINEPREFIX=$HOME/.wine-kvl kvl-settings-editor\n\n"
         "The editor now shows an empty page. Click the first field of its status bar, or press Ctrl+O, to "
         "choose one of the prefixes found",
         "KVL 17 wurde in keinem Wine-Präfix gefunden. Der Editor hat hier gesucht:\n%1\n\n"
         "Um die Einstellungen eines Präfixes an einem anderen Ort zu bearbeiten, nennen Sie es beim Start "
         "des Editors, zum Beispiel in einem Terminal:\n"
         "kvl-settings-editor --prefix $HOME/.wine-kvl\n"
         "WINEPREFIX=$HOME/.wine-kvl kvl-settings-editor\n\n"
         "Der Editor zeigt jetzt eine leere Seite. Klicken Sie auf das erste Feld seiner Statusleiste oder "
         "drücken Sie Strg+O, um eines der gefundenen Präfixe zu wählen"},
    Pair{"Your changes to the settings have not been applied. Discard them and open another Wine prefix?",
         "Ihre Änderungen an den Einstellungen wurden nicht übernommen. Wollen Sie sie verwerfen und ein "
         "anderes Wine-Präfix öffnen?"},
    Pair{"Yes", "Ja"},
    Pair{"No", "Nein"},
    Pair{"Edits the settings of KVL 17 in a Wine prefix.",
         "Bearbeitet die Einstellungen von KVL 17 in einem Wine-Präfix."},
    Pair{"Edit the settings in the Wine prefix <folder> (like WINEPREFIX; wins over it).",
         "Bearbeitet die Einstellungen im Wine-Präfix <Ordner> (wie WINEPREFIX, hat Vorrang davor)."},
    Pair{"folder", "Ordner"},
    Pair{"List the Wine prefixes found, and whether KVL 17 is installed in each, then end.",
         "Listet die gefundenen Wine-Präfixe auf, jeweils mit der Angabe, ob KVL 17 darin installiert ist, "
         "und endet dann."},
    Pair{"Show this help and end.", "Zeigt diese Hilfe und endet."},
    Pair{"Show the version and end.", "Zeigt die Version und endet."},
    Pair{"Usage:", "Aufruf:"},
    Pair{"Options:", "Optionen:"},
    Pair{"Source\tName\tFolder\tKVL 17", "Quelle\tName\tOrdner\tKVL 17"},
    Pair{"installed in %1", "installiert in %1"},
    Pair{"No Wine prefix found. The editor looked in:",
         "Kein Wine-Präfix gefunden. Der Editor hat hier gesucht:"},
};
static_assert(kTexts.size() == static_cast<std::size_t>(PrefixText::ListNone) + 1);

} // namespace

QString prefixText(PrefixText text, const std::string &languageCode) {
    const Pair &pair = kTexts[static_cast<std::size_t>(text)];
    return inLanguage(languageCode, pair.first, pair.second);
}

} // namespace kvl::i18n

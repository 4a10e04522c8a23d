#pragma once

#include <span>
#include <string>

class QWidget;

namespace kvl::i18n {

// Which property of a control a row sets.
enum class TextKind {
    WindowCaption, // the window's own title; the row's control name is empty
    Caption,       // label, check box or group box caption
    BoundLabel,    // the caption label bound to a combo box
    Hint,          // a round button's hint text (whether it shows is the button's own switch)
};

// One language-dependent text of a window: design-time, English ("ENG") and German ("GER"), UTF-8.
struct TextRow {
    const char *control; // objectName
    TextKind kind;
    const char *designTime;
    const char *english;
    const char *german;
};

std::span<const TextRow> mainWindowTexts();  // TForm1
std::span<const TextRow> preferencesTexts(); // TForm3
std::span<const TextRow> aboutTexts();       // TAbout
std::span<const TextRow> confirmTexts();     // TConfirmit

// Writes the design-time texts (at creation).
void applyDesignTimeTexts(QWidget &window, std::span<const TextRow> rows);
// "ENG" sets the English texts, then "GER" the German ones, in table order; any other code sets nothing.
void applyLanguage(QWidget &window, std::span<const TextRow> rows, const std::string &languageCode);

} // namespace kvl::i18n

#pragma once

#include <QString>

class QPoint;
class QWidget;

// Balloon hints: every hint of the program is shown as a tooltip in the balloon style of the theme
// ("Tahoma" 8 pt, black, centred, at most 150 pixels wide) and hides after five seconds.
class THintManager {
public:
    static constexpr int kMaxWidth = 150;
    static constexpr int kHidePauseMs = 5000;

    // Shows the hint of a control beside a global mouse position; an empty text hides any hint.
    static void showHint(QWidget *control, const QPoint &globalPos, const QString &text);
    // The tooltip markup: rich text, so that the tooltip wraps at its maximum width, centred.
    static QString balloonMarkup(const QString &text);
    // The tooltip font and colours, kept also while no theme is active.
    static void install();
};

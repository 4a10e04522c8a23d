#pragma once

#include "app/deferred_dialog.h"

#include <cstdint>
#include <string>

class TForm1;
class TImageComboBox;
class TRoundButton;
class TToggleSwitch;

// The preferences dialog, shown modally from the main window's settings button. Language, hints and
// the start-up warning act while it is open; the exit confirmation and the skin wait for Accept;
// Discard, Escape and the window system's close put everything back as it was when it opened.
class TForm3 : public TDeferredDialog {
    Q_OBJECT
public:
    explicit TForm3(TForm1 *mainWindow);

    void FormShow();
    void CBLanguageChange();
    void CBHintsClick();
    void CBWarningClick();
    void BAcceptClick();
    void BDiscardClick();
    void Languages();

    // Escape and the window system's close end the dialog as Discard does.
    void reject() override;

protected:
    void buildContents() override;
    void showEvent(QShowEvent *event) override;

private:
    // The preferences as the dialog found them, for Discard and for Accept's skin comparison.
    struct Snapshot {
        std::string language;
        std::int32_t useHints = 0;
        std::int32_t showStart = 0;
        std::int32_t closeConfirmOn = 0;
        std::int32_t skinIndex = 0;
    };

    void buildGroup();
    void takeChosenLanguage();
    void switchButtonHints();
    void endModal();

    TForm1 *mainWindow_;
    Snapshot snapshot_;
    TImageComboBox *CBLanguage = nullptr;
    TImageComboBox *CBSkin = nullptr;
    TToggleSwitch *CBHints = nullptr;
    TToggleSwitch *CBWarning = nullptr;
    TToggleSwitch *CBExit = nullptr;
    TRoundButton *BDiscard = nullptr;
    TRoundButton *BAccept = nullptr;
};

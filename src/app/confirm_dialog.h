#pragma once

#include "app/deferred_dialog.h"

class TRoundButton;

// The exit confirmation: Yes sets the exit-confirmed flag, anything else leaves it false.
class TConfirmit : public TDeferredDialog {
    Q_OBJECT
public:
    explicit TConfirmit(QWidget *mainWindow);

    void FormShow();
    void BYesClick();
    void BNoClick();
    void Languages();

protected:
    void buildContents() override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *mainWindow_;
};

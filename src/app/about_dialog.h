#pragma once

#include "app/deferred_dialog.h"

class TLinkLabel;
class TRoundButton;

// The About dialog: title, version, copyright, supported host versions and the web-site banner.
class TAbout : public TDeferredDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget *mainWindow);

    void FormShow();
    void BCloseClick();
    void Image5Click();
    void Languages();

protected:
    void buildContents() override;
    void showEvent(QShowEvent *event) override;

private:
    void buildSettingsGroup();

    QWidget *mainWindow_;
    TRoundButton *BClose = nullptr;
    TLinkLabel *LWeb = nullptr;
};

#pragma once

#include <QDialog>

// A dialog whose controls are made at its first showing: the program creates its dialogs with the main
// window, and most starts never open them.
class TDeferredDialog : public QDialog {
public:
    // Makes the controls now if no showing has yet; for callers that need them before that.
    void ensureBuilt();
    void setVisible(bool visible) override;

protected:
    using QDialog::QDialog;
    virtual void buildContents() = 0;

private:
    bool built_ = false;
};

#pragma once

#include <QDialog>

class TRoundButton;

// The exit confirmation: Yes sets the exit-confirmed flag, anything else leaves it false.
class TConfirmit : public QDialog {
    Q_OBJECT
public:
    explicit TConfirmit(QWidget *mainWindow);

    void FormShow();
    void BYesClick();
    void BNoClick();
    void Languages();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *mainWindow_;
};

#pragma once

#include <QDialog>

// The preferences dialog, shown modally from the main window's settings button.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *mainWindow);
};

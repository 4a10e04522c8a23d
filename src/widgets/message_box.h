#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace kvl::widgets {

// The error message box: text with "." appended when its last character's code is above 46,
// the application title as caption, error icon, one OK. Tests replace the display.
QString errorBoxText(const QString &message);
// The box the default display shows, at least as wide as its title bar needs for the whole caption, placed
// by the dialog placement once it has its size.
std::unique_ptr<QMessageBox> createErrorBox(QWidget *parent, const QString &caption, const QString &text);
void showErrorBox(QWidget *parent, const QString &message);
using ErrorBoxDisplay = std::function<void(QWidget *parent, const QString &caption, const QString &text)>;
void setErrorBoxDisplay(ErrorBoxDisplay display);

} // namespace kvl::widgets

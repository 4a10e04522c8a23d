#include "widgets/message_box.h"

#include "i18n/fixed_texts.h"

#include <QMessageBox>

namespace kvl::widgets {

namespace {

void showCriticalBox(QWidget *parent, const QString &caption, const QString &text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

ErrorBoxDisplay &display() {
    static ErrorBoxDisplay current = showCriticalBox;
    return current;
}

} // namespace

QString errorBoxText(const QString &message) {
    constexpr char16_t fullStop = u'.';
    if (!message.isEmpty() && message.back().unicode() > fullStop)
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(QWidget *parent, const QString &message) {
    display()(parent, QString::fromUtf8(i18n::kApplicationTitle), errorBoxText(message));
}

void setErrorBoxDisplay(ErrorBoxDisplay replacement) {
    display() = replacement ? std::move(replacement) : ErrorBoxDisplay(showCriticalBox);
}

} // namespace kvl::widgets

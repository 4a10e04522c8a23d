#include "widgets/message_box.h"

#include "i18n/fixed_texts.h"
#include "widgets/dialog_placement.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

namespace kvl::widgets {

namespace {

// The room a title bar needs for a caption: the text in the system's title font, taken bold as most
// window managers draw it, and the bar's icon and buttons, each about as wide as the bar is high.
int captionRoom(const QWidget &window, const QString &caption) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const int barHeight = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(font).horizontalAdvance(caption) + 4 * barHeight;
}

// Placed once the box has taken its size for the text, which it does as it is shown, and before the
// window system maps it.
class ErrorBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override {
        QMessageBox::showEvent(event);
        placeDialog(*this);
    }
};

void showCriticalBox(QWidget *parent, const QString &caption, const QString &text) {
    createErrorBox(parent, caption, text)->exec();
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

std::unique_ptr<QMessageBox> createErrorBox(QWidget *parent, const QString &caption, const QString &text) {
    std::unique_ptr<QMessageBox> box =
        std::make_unique<ErrorBox>(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    // The box sizes itself to its text alone; a short message would leave it narrower than its caption.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        grid->addItem(new QSpacerItem(captionRoom(*box, caption), 0, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
    return box;
}

void showErrorBox(QWidget *parent, const QString &message) {
    display()(parent, QString::fromUtf8(i18n::kApplicationTitle), errorBoxText(message));
}

void setErrorBoxDisplay(ErrorBoxDisplay replacement) {
    display() = replacement ? std::move(replacement) : ErrorBoxDisplay(showCriticalBox);
}

} // namespace kvl::widgets

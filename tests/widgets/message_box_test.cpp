#include "widgets/message_box.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace {

TEST(ErrorBox, FullStopAppendedAfterCharactersAboveIt) {
    struct Case {
        const char *message;
        const char *shown;
    };
    const Case cases[] = {
        {"", ""},
        {"Failed to get data for 'HideOldMdl'", "Failed to get data for 'HideOldMdl'"}, // quote is 39
        {"Unable to write to C:\\x\\settings.ini", "Unable to write to C:\\x\\settings.ini."},
        {"I/O error 32", "I/O error 32."},
        {"Done.", "Done."},
        {"Really?", "Really?."}, // '?' is 63
        {"A-", "A-"},            // '-' is 45
        {"Path/", "Path/."},     // '/' is 47
        {"Schließen", "Schließen."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kvl::widgets::errorBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown));
}

TEST(ErrorBox, ShowsTitleAndRuleText) {
    QString caption, text;
    kvl::widgets::setErrorBoxDisplay([&](QWidget *, const QString &c, const QString &t) {
        caption = c;
        text = t;
    });
    kvl::widgets::showErrorBox(nullptr, "Disk full");
    kvl::widgets::setErrorBoxDisplay(nullptr);
    EXPECT_EQ(caption, "KVL-17+ Settings Editor");
    EXPECT_EQ(text, "Disk full.");
}

TEST(ErrorBox, WideEnoughForItsWholeCaptionHoweverShortTheMessage) {
    const QString caption = "KVL-17+ Settings Editor";
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    const int captionWidth = QFontMetrics(titleFont).horizontalAdvance(caption);
    const QString longMessage = "Unable to write to " + QString(120, 'x') + ".";
    for (const QString &message : {QString("."), QString("I/O error 32."), longMessage}) {
        const auto box = kvl::widgets::createErrorBox(nullptr, caption, message);
        QMessageBox plain(QMessageBox::Critical, caption, message, QMessageBox::Ok);
        box->show();
        plain.show();
        EXPECT_GT(box->width(), captionWidth) << message.toStdString();
        // A message wider than the caption still sets the width alone.
        EXPECT_GE(box->width(), plain.width()) << message.toStdString();
        EXPECT_EQ(box->windowTitle(), caption);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    }
}

} // namespace

#include "widgets/message_box.h"

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

} // namespace

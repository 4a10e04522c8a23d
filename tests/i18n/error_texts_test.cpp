#include "i18n/error_texts.h"

#include <gtest/gtest.h>

namespace {

using kvl::TranslatedError;

TEST(TranslatedErrorText, FollowsTheInterfaceLanguageAndFallsBackToEnglish) {
    using Reason = TranslatedError::Reason;
    for (const Reason reason : {Reason::BrokenHive, Reason::WineServerUnreachable, Reason::WineNotAnswering,
                                Reason::NotAWinePrefix, Reason::UnwritableHive, Reason::DiskFull}) {
        const TranslatedError error(reason, "/p/J\xfcrgen"); // code page 1252
        const QString german = kvl::i18n::translatedErrorText(error, "GER");
        const QString english = kvl::i18n::translatedErrorText(error, "ENG");
        EXPECT_TRUE(german.contains(QString::fromUtf8("/p/J\xc3\xbcrgen"))) << german.toStdString();
        EXPECT_TRUE(english.contains(QString::fromUtf8("/p/J\xc3\xbcrgen"))) << english.toStdString();
        EXPECT_NE(german, english);
        EXPECT_EQ(kvl::i18n::translatedErrorText(error, "eng"), english);
    }
    // Windows' own words for its error 112, after the file they concern.
    const TranslatedError full(Reason::DiskFull, "/p/user.reg");
    EXPECT_EQ(kvl::i18n::translatedErrorText(full, "ENG").toStdString(),
              "Unable to write to /p/user.reg. There is not enough space on the disk");
    EXPECT_EQ(
        kvl::i18n::translatedErrorText(full, "GER").toStdString(),
        "/p/user.reg kann nicht geschrieben werden. Auf dem Datentr\xc3\xa4ger ist nicht gen\xc3\xbcgend "
        "Speicherplatz vorhanden");
}

TEST(TranslatedErrorText, WineNotAnsweringStatesTheDeadlineAndWhatToEnd) {
    const TranslatedError error(TranslatedError::Reason::WineNotAnswering, "/p");
    for (const char *language : {"ENG", "GER"}) {
        const QString text = kvl::i18n::translatedErrorText(error, language);
        EXPECT_TRUE(text.contains(QStringLiteral(" 10 ")) &&
                    text.contains(QStringLiteral("WINEPREFIX=/p wineserver -k")) &&
                    !text.contains(QLatin1Char('%')))
            << text.toStdString();
    }
}

} // namespace

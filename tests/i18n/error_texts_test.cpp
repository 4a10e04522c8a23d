#include "i18n/error_texts.h"

#include <gtest/gtest.h>

namespace {

using kvl::TranslatedError;

TEST(TranslatedErrorText, FollowsTheInterfaceLanguageAndFallsBackToEnglish) {
    using Reason = TranslatedError::Reason;
    for (const Reason reason : {Reason::BrokenHive, Reason::WineServerUnreachable, Reason::NotAWinePrefix}) {
        const TranslatedError error(reason, "/p/J\xfcrgen"); // code page 1252
        const QString german = kvl::i18n::translatedErrorText(error, "GER");
        const QString english = kvl::i18n::translatedErrorText(error, "ENG");
        EXPECT_TRUE(german.contains(QString::fromUtf8("/p/J\xc3\xbcrgen"))) << german.toStdString();
        EXPECT_TRUE(english.contains(QString::fromUtf8("/p/J\xc3\xbcrgen"))) << english.toStdString();
        EXPECT_NE(german, english);
        EXPECT_EQ(kvl::i18n::translatedErrorText(error, "eng"), english);
    }
}

} // namespace

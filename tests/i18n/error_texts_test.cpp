#include "i18n/error_texts.h"

#include <gtest/gtest.h>

namespace {

using kvl::TranslatedError;

TEST(TranslatedErrorText, FollowsTheInterfaceLanguageAndFallsBackToEnglish) {
    const TranslatedError error(TranslatedError::Reason::BrokenHive, "/p/user.reg", "English");
    const QString german = kvl::i18n::translatedErrorText(error, "GER");
    EXPECT_TRUE(german.contains("/p/user.reg"));
    EXPECT_NE(german, kvl::i18n::translatedErrorText(error, "ENG"));
    EXPECT_EQ(kvl::i18n::translatedErrorText(error, "eng"), kvl::i18n::translatedErrorText(error, "ENG"));
}

} // namespace

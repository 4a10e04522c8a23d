#include "app/guarded_call.h"
#include "app/program_state.h"

#include <gtest/gtest.h>

namespace {

TEST(GuardedCall, AFailureWithoutTextIsUnknownInTheInterfaceLanguage) {
    std::string &language = kvl::app::state().preferences.language;
    const std::string before = language;
    for (const auto &[code, expected] : {std::pair{"ENG", "Unknown error"}, {"GER", "Unbekannter Fehler"}}) {
        language = code;
        EXPECT_EQ(kvl::app::currentExceptionText(std::make_exception_ptr(42)), QString::fromUtf8(expected));
    }
    language = before;
}

} // namespace

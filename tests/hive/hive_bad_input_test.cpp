#include "platform/error.h"
#include "platform/registry.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <random>

namespace kvl::platform {
namespace {

using test::kHostKeyWine;
using test::TempPrefix;

const std::string kHostKey = "Software\\Varnel\\KVL 17.00\\QTRX";

class HiveBadInput : public testing::Test {
protected:
    void SetUp() override {
        prefix.addUserKey(kHostKeyWine, {"\"LastANL\"=\"C:\\\\a\\xe4.anl\"", "\"Blob\"=hex:01,02,\\", "  03",
                                         "\"MaxObj\"=dword:000003e8"});
        good = TempPrefix::readFile(prefix.userReg());
    }
    enum class Outcome { Opened, Missing, Broken };

    // What opening the host key on the given hive text gives; the text must stay as it was.
    Outcome openOn(const std::string &text) {
        TempPrefix::writeFile(prefix.userReg(), text);
        Outcome outcome = Outcome::Missing;
        try {
            Registry registry;
            if (registry.openKey(RootKey::CurrentUser, kHostKey, Access::AllAccess, View::View64)) {
                outcome = Outcome::Opened;
                registry.readString("LastANL");
                registry.readInteger("MaxObj");
            }
        } catch (const TranslatedError &error) {
            EXPECT_EQ(error.reason(), TranslatedError::Reason::BrokenHive);
            EXPECT_EQ(error.subject(), prefix.userReg());
            outcome = Outcome::Broken;
        } catch (const Error &) {
            // a damaged value may well be of another type now
        }
        EXPECT_EQ(TempPrefix::readFile(prefix.userReg()), text);
        return outcome;
    }
    std::string replaced(const std::string &from, const std::string &to) const {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    }

    TempPrefix prefix;
    std::string good;
};

TEST_F(HiveBadInput, BrokenHivesAreNamedAndStayAsTheyWere) {
    const std::string huge(4 << 20, 'x');
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"cut inside a string", good.substr(0, good.find("a\\xe4") + 2)},
        {"cut inside continued binary", good.substr(0, good.find("  03") + 1)},
        {"cut inside the last line", good.substr(0, good.size() - 3)},
        {"no line end at the end", good.substr(0, good.size() - 1)},
        {"NUL in a string", replaced("a\\xe4", std::string("a\0b", 3))},
        {"NUL in a comment", replaced(";; All", std::string(";; \0All", 7))},
        {"unknown escape", replaced("C:\\\\a", "C:\\qa")},
        {"escape cut short", replaced("\\xe4.anl\"", "\\x\"")},
        {"carriage return line ends", replaced("dword:000003e8\n", "dword:000003e8\r\n")},
        {"no signature", good.substr(good.find('\n') + 1)},
        {"other version", replaced("Version 2", "Version 1")},
        {"value before any key", replaced("\n#arch=win64\n", "\n#arch=win64\n\"A\"=\"a\"\n")},
        {"stray text line", replaced("\"MaxObj\"", "garbage\n\"MaxObj\"")},
        {"megabytes without a closing quote", replaced("C:\\\\a\\xe4.anl\"", huge)},
        {"bad time stamp", replaced("#time=1db4a1b2c3d4e5f", "#time=xyz")},
        {"binary garbage", std::string("\x7f"
                                       "ELF\x02\x01\x01\0\0\0",
                                       10) +
                               std::string(1000, '\xff')},
        {"empty file", ""},
    };
    for (const auto &[what, text] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(openOn(text), Outcome::Broken);
    }
}

TEST_F(HiveBadInput, LongValidLinesStillParse) {
    std::string hex = "00";
    for (int i = 0; i < 500'000; ++i)
        hex += i % 25 ? ",01" : ",\\\n  01";
    EXPECT_EQ(openOn(replaced("C:\\\\a", std::string(4 << 20, 'x'))), Outcome::Opened);
    EXPECT_EQ(openOn(replaced("01,02,\\\n  03", hex)), Outcome::Opened);
}

TEST_F(HiveBadInput, EveryCutAndEveryFlippedByteIsSafe) {
    for (std::size_t size = 0; size < good.size(); ++size)
        openOn(good.substr(0, size));
    std::mt19937 random(17);
    for (int round = 0; round < 300; ++round) {
        std::string text = good;
        text[random() % text.size()] = static_cast<char>(random());
        openOn(text);
    }
}

} // namespace
} // namespace kvl::platform

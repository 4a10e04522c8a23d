#include "platform/profile.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <random>

namespace kvl::platform {
namespace {

using test::TempPrefix;

std::string randomBytes(unsigned seed, std::size_t size) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto &c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

struct BadFile {
    const char *name;
    std::string content;
};

class ProfileBadFile : public testing::TestWithParam<BadFile> {
protected:
    FilePath file() const { return nativeFile(prefix.driveC() + "/bad.ini"); }
    TempPrefix prefix;
};

// Whatever a file holds, reads stay within their limit and a write changes only what it writes.
TEST_P(ProfileBadFile, ReadsAndWritesWithoutHarm) {
    TempPrefix::writeFile(file().text, GetParam().content);
    EXPECT_LE(readProfileString(file(), "A", "k", "").size(), 2047u);
    ASSERT_TRUE(writeProfileString(file(), "Added", "key", "value"));
    EXPECT_EQ(readProfileString(file(), "Added", "key", ""), "value");
    const auto after = TempPrefix::readFile(file().text);
    EXPECT_EQ(after.substr(0, GetParam().content.size()), GetParam().content);
}

TEST_P(ProfileBadFile, RefusedWriteLeavesEveryByte) {
    TempPrefix::writeFile(file().text, GetParam().content);
    EXPECT_FALSE(writeProfileString(file(), "A", "k", "x\n[A]"));
    EXPECT_EQ(TempPrefix::readFile(file().text), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileBadFile,
                         testing::Values(BadFile{"NulBytes", std::string("[A]\r\nk=a\0b\r\n\0\0\0\r\n", 17)},
                                         BadFile{"MegabyteLine", "[A]\r\nk=" + std::string(1 << 20, 'm')},
                                         BadFile{"MegabyteHeader", std::string(1 << 20, '[')},
                                         BadFile{"ManyEmptyLines", std::string(1 << 20, '\n')},
                                         BadFile{"RandomBytes", randomBytes(7, 1 << 16)},
                                         BadFile{"RandomAfterSection", "[A]\r\n" + randomBytes(8, 1 << 16)}),
                         [](const auto &instance) { return std::string(instance.param.name); });

// Written back in the byte order it had, every other unit as it was; a file that would not come back
// unit for unit (a lone surrogate, an odd byte) is left alone.
TEST(ProfileUtf16File, WrittenBackInItsOwnEncodingOrNotAtAll) {
    const TempPrefix prefix;
    const auto native = prefix.driveC() + "/wide.ini";
    const auto file = nativeFile(native);
    const std::string little("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\x00\x01\r\0\n\0", 22);
    TempPrefix::writeFile(native, little);
    EXPECT_EQ(readProfileString(file, "A", "k", ""), "A");
    ASSERT_TRUE(writeProfileString(file, "A", "j", "\xe4"));
    EXPECT_EQ(TempPrefix::readFile(native), little + std::string("j\0=\0\xE4\0\r\0\n\0", 10));

    // "..."s: the compiler counts the bytes of a text with NULs, where a count by hand can run past it.
    using namespace std::string_literals;
    const std::string big = "\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\0"
                            "1"s;
    TempPrefix::writeFile(native, big);
    ASSERT_TRUE(writeProfileString(file, "a", "K", "2"));
    EXPECT_EQ(TempPrefix::readFile(native), big.substr(0, 16) + std::string("\0"
                                                                            "2",
                                                                            2));

    for (const std::string &unfaithful :
         {"\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\x3D\xD8"s, "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0x"s}) {
        TempPrefix::writeFile(native, unfaithful);
        EXPECT_FALSE(writeProfileString(file, "A", "j", "v"));
        EXPECT_EQ(TempPrefix::readFile(native), unfaithful);
    }
}

} // namespace
} // namespace kvl::platform

#include "platform/registry.h"
#include "support/process_memory.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kvl::platform {
namespace {

using test::peakResidentKb;
using test::TempPrefix;

constexpr long kValueMb = 100;

// A value of 100 MB in the host key, before the values the program reads.
class HiveLargeValue : public testing::Test {
protected:
    void SetUp() override {
        std::ofstream hive(prefix.userReg(), std::ios::binary | std::ios::app);
        hive << "\n[" << test::kHostKeyWine << "] 1\n#time=1\n\"Huge\"=\"";
        const std::string megabyte(1 << 20, 'x');
        for (long i = 0; i < kValueMb; ++i)
            hive << megabyte;
        hive << "\"\n\"MaxObj\"=dword:000003e8\n\"LastANL\"=\"C:\\\\a\"\n";
    }
    TempPrefix prefix;
};

// The load's eight reads cost the hive once, not a decoded copy of every value per read.
TEST_F(HiveLargeValue, ReadsDecodeOnlyTheValueAskedFor) {
    const long before = peakResidentKb();
    Registry registry;
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, "Software\\Varnel\\KVL 17.00\\QTRX", Access::AllAccess,
                                 View::View64));
    for (int read = 0; read < 4; ++read) {
        EXPECT_EQ(registry.readInteger("MaxObj"), 1000);
        EXPECT_EQ(registry.readString("LastANL"), "C:\\a");
    }
    EXPECT_LT(peakResidentKb() - before, (kValueMb + 16) * 1024) << "kB more than before the open";
}

// A hive of a few hundred bytes costs a few kB, not a large page of 2 MB zeroed at the first read.
TEST(HiveSmall, ReadsIntoSmallPages) {
    TempPrefix prefix;
    prefix.addUserKey(test::kHostKeyWine, {"\"MaxObj\"=dword:000003e8"});
    const long before = peakResidentKb();
    Registry registry;
    ASSERT_TRUE(registry.openKey(RootKey::CurrentUser, "Software\\Varnel\\KVL 17.00\\QTRX", Access::AllAccess,
                                 View::View64));
    EXPECT_EQ(registry.readInteger("MaxObj"), 1000);
    EXPECT_LT(peakResidentKb() - before, 1024) << "kB more than before the open";
}

} // namespace
} // namespace kvl::platform

#include "host/load_apply.h"

#include <gtest/gtest.h>

#include "hive/fake_server.h"
#include "host/fake_host_page.h"
#include "host/host_prefix.h"
#include "platform/error.h"

namespace kvl::host {
namespace {

using test::FakeHostPage;
using test::HostPrefix;

// Wine runs in the prefix and its registry tool cannot be found: loads say that they read the files,
// Apply stops before it writes anything.
TEST(LoadApplyWhileWineRuns, LoadsNoteTheFilesAndApplyStopsBeforeAnyWrite) {
    HostPrefix prefix;
    prefix.installHost();
    prefix.addUserKey(kvl::test::kHostKeyWine,
                      {"\"MaxObj\"=dword:00010000", "\"CtrlWindow\"=dword:00000001",
                       "\"AutoSaveDLG\"=dword:00000000", "\"HideOldMdl\"=dword:00000000"});
    prefix.writeFilter("1");
    const std::string hive = prefix.readFile(prefix.userReg());
    const kvl::test::DebianServerRoot root(prefix.path());
    kvl::test::FakeServer server(root.path(), prefix.path());
    const kvl::test::ToolPath noWine;
    FakeHostPage page;
    bool firstLoad = true;
    std::string languageCode;

    loadHostSettings(page, {firstLoad, "ENG", languageCode});
    EXPECT_TRUE(page.outdatedNote);
    EXPECT_EQ(page.maxObj, "4096");

    page.setResetChecked(PathField::LastLayout, true);
    page.setFlag(Flag::ShowAlwaysDeprecated, true);
    EXPECT_THROW(applyHostSettings(page), TranslatedError);
    EXPECT_EQ(prefix.readFile(prefix.userReg()), hive);
    EXPECT_TRUE(page.resetChecked(PathField::LastLayout)) << "the steps after the registry are skipped";
    EXPECT_EQ(prefix.readFile(prefix.filterFile()), "[deprecated_models_001]\r\nDefaultSetting=1\r\n");

    server.stop();
    loadHostSettings(page, {firstLoad, "ENG", languageCode});
    EXPECT_FALSE(page.outdatedNote);
}

} // namespace
} // namespace kvl::host

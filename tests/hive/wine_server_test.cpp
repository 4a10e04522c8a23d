#include "platform/wine/wine_server.h"

#include "hive/fake_server.h"
#include "support/scoped_variable.h"
#include "support/temp_prefix.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::FakeServer;
using test::TempPrefix;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

class PrefixServers : public testing::Test {
protected:
    PrefixServers() {
        std::string pattern = (fs::temp_directory_path() / "kvl-servers-XXXXXX").string();
        tmp = ::mkdtemp(pattern.data()) ? pattern : "";
    }
    ~PrefixServers() override {
        std::error_code ignored;
        fs::remove_all(tmp, ignored);
    }
    std::vector<pid_t> servers() const { return prefixServers(prefix.path(), tmp); }
    std::string upstreamRoot() const { return tmp + "/.wine-" + std::to_string(::getuid()); }

    TempPrefix prefix;
    std::string tmp;
};

TEST_F(PrefixServers, CountOnlyWhileALiveServerHoldsTheLockInEitherPlace) {
    ASSERT_FALSE(tmp.empty());
    TempPrefix::writeFile(prefix.path() + "/wineserver", "wine-AbC123");
    EXPECT_TRUE(servers().empty());

    FakeServer upstream(upstreamRoot(), prefix.path());
    EXPECT_THAT(servers(), ElementsAre(upstream.pid()));
    FakeServer debian(tmp + "/wine-AbC123", prefix.path());
    EXPECT_THAT(servers(), UnorderedElementsAre(upstream.pid(), debian.pid()));

    TempPrefix otherPrefix;
    FakeServer other(upstreamRoot(), otherPrefix.path());
    EXPECT_THAT(servers(), UnorderedElementsAre(upstream.pid(), debian.pid()));

    // Crashed servers leave their folders and lock files behind.
    upstream.stop();
    debian.stop();
    ASSERT_TRUE(fs::exists(upstream.folder() + "/lock"));
    EXPECT_TRUE(servers().empty());
}

TEST_F(PrefixServers, DebiansNameFileNamesOneFolderOfTmpOnly) {
    ASSERT_FALSE(tmp.empty());
    struct Case {
        const char *what;
        const char *fileContent; // nullptr: no file
        std::string serverRoot;  // below tmp
        std::size_t found;
    };
    const std::string upstream = ".wine-" + std::to_string(::getuid());
    const std::vector<Case> cases = {
        {"a name with its line end", "wine-Xy7\n", "wine-Xy7", 1},
        {"no name file", nullptr, "wine-Xy7", 0},
        {"an empty name", "", "wine-Xy7", 0},
        {"a path rather than a name", "sub/wine-Xy7", "sub/wine-Xy7", 0},
        {"the upstream folder's name, counted once", upstream.c_str(), upstream, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(prefix.path() + "/wineserver");
        if (c.fileContent)
            TempPrefix::writeFile(prefix.path() + "/wineserver", c.fileContent);
        const FakeServer server(tmp + "/" + c.serverRoot, prefix.path());
        EXPECT_EQ(servers().size(), c.found);
    }
}

// Debian's Wine makes its server's folder in $TMPDIR when that is set; the program's own TMPDIR is the
// best guess of the server's.
TEST_F(PrefixServers, DebiansFolderIsAlsoLookedForInTmpdirAndEachServerCountsOnce) {
    ASSERT_FALSE(tmp.empty());
    TempPrefix::writeFile(prefix.path() + "/wineserver", "wine-AbC123");
    const FakeServer inTmpdir(tmp + "/wine-AbC123", prefix.path());
    {
        const test::ScopedVariable tmpdir("TMPDIR", tmp);
        EXPECT_THAT(prefixServers(prefix.path()), ElementsAre(inTmpdir.pid()));
    }
    const test::ScopedVariable noTmpdir("TMPDIR", std::nullopt);
    EXPECT_TRUE(prefixServers(prefix.path()).empty());

    const test::DebianServerRoot root(prefix.path());
    const FakeServer inTmp(root.path(), prefix.path());
    const test::ScopedVariable tmpdir("TMPDIR", "/tmp/");
    EXPECT_THAT(prefixServers(prefix.path()), ElementsAre(inTmp.pid()));
}

} // namespace
} // namespace kvl::platform

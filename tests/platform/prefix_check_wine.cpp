#include "platform/system.h"
#include "support/scoped_variable.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

TEST(HostStoreProblem, AFolderWithoutAHiveIsNoPrefix) {
    struct Case {
        const char *made; // in the folder: a name ending in '/' is a folder, "" leaves it empty
        bool isPrefix;
    };
    const Case cases[] = {
        {"", false}, {"dosdevices/", false}, {"user.reg/", false}, {"system.reg", true}, {"user.reg", true}};
    for (const Case &c : cases) {
        const test::TempPrefix scratch;
        const std::string folder = scratch.path() + "/J\xc3\xbcrgen"; // a UTF-8 name, as Linux keeps them
        const test::ScopedVariable prefix("WINEPREFIX", folder);
        const std::string made = folder + "/" + c.made;
        fs::create_directories(folder);
        if (made.ends_with('/'))
            fs::create_directories(made);
        else
            test::TempPrefix::writeFile(made, "WINE REGISTRY Version 2\n");
        const auto problem = hostStoreProblem();
        EXPECT_EQ(!problem, c.isPrefix) << c.made;
        if (problem) {
            EXPECT_EQ(problem->subject(), scratch.path() + "/J\xfcrgen") << c.made; // code page 1252
        }
    }
    const test::ScopedVariable demo("WINEPREFIX", KVL_DEMO_PREFIX);
    EXPECT_FALSE(hostStoreProblem());
}

} // namespace
} // namespace kvl::platform

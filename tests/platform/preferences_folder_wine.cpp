#include "platform/wine/preferences_folder.h"
#include "support/scoped_variable.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

TEST(PreferencesFolder, BesideAWritableProgramElseInTheUsersConfigFolder) {
    constexpr auto readOnly = fs::perms::owner_read | fs::perms::owner_exec;
    struct Case {
        fs::perms programFolder;
        std::optional<std::string> configHome; // under the scratch folder when absolute
        std::string expected;                  // under the scratch folder
    };
    const Case cases[] = {
        {fs::perms::owner_all, "/xdg", "/bin/"},
        {readOnly, "/xdg/deeper", "/xdg/deeper/kvl-settings-editor/"},
        {readOnly, std::nullopt, "/home/.config/kvl-settings-editor/"},
        {readOnly, "relative", "/home/.config/kvl-settings-editor/"},
    };
    for (const Case &c : cases) {
        const test::TempPrefix scratch;
        const std::string root = scratch.path();
        fs::create_directories(root + "/bin");
        fs::permissions(root + "/bin", c.programFolder);
        const test::ScopedVariable xdg("XDG_CONFIG_HOME", c.configHome && c.configHome->starts_with('/')
                                                              ? root + *c.configHome
                                                              : c.configHome);
        const test::ScopedVariable home("HOME", root + "/home");

        const std::string folder = preferencesFolderFor(root + "/bin/");
        EXPECT_EQ(folder, root + c.expected) << c.expected;
        // The close flow makes no folders, so this one must exist; made here, it is the user's alone.
        if (folder != root + "/bin/") {
            EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << c.expected;
        }
        fs::permissions(root + "/bin", fs::perms::owner_all);
    }
}

} // namespace
} // namespace kvl::platform

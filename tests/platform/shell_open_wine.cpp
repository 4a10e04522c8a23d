#include "platform/system.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::TempPrefix;

// Puts a stand-in opener first on PATH that records what it was asked to open.
class ShellOpen : public testing::Test {
protected:
    ShellOpen() : previousPath_(std::getenv("PATH")) {
        fs::create_directory(prefix.path() + "/bin");
        TempPrefix::writeFile(prefix.path() + "/bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" +
                                                                   record() + ".part\"\nmv \"" + record() +
                                                                   ".part\" \"" + record() + "\"\n");
        fs::permissions(prefix.path() + "/bin/xdg-open", fs::perms::owner_all);
        setenv("PATH", (prefix.path() + "/bin:" + previousPath_).c_str(), 1);
    }
    ~ShellOpen() override { setenv("PATH", previousPath_.c_str(), 1); }

    std::string record() const { return prefix.path() + "/opened"; }
    std::string opened() const {
        // The opener runs on its own: up to 20 s for it to start on a loaded machine.
        for (int i = 0; i < 400 && !fs::exists(record()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return TempPrefix::readFile(record());
    }

    TempPrefix prefix;
    std::string previousPath_;
};

TEST_F(ShellOpen, HandsTheOpenerNativePathsAndAddresses) {
    const struct {
        std::string target;
        std::string expected;
    } cases[] = {
        {"https://example.com/kvl", "https://example.com/kvl"},
        {"/tmp/manual.pdf", "/tmp/manual.pdf"},
        {"C:\\Manual.pdf", prefix.path() + "/dosdevices/c:/Manual.pdf"},
    };
    for (const auto &c : cases) {
        fs::remove(record());
        shellOpen(c.target);
        EXPECT_EQ(opened(), c.expected) << c.target;
    }
}

TEST_F(ShellOpen, MissingOpenerIsNoFailure) {
    setenv("PATH", (prefix.path() + "/none").c_str(), 1);
    shellOpen("https://example.com/kvl");
    SUCCEED();
}

} // namespace
} // namespace kvl::platform

#include "host/load_apply.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "host/fake_host_page.h"
#include "host/host_prefix.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace kvl::host {
namespace {

using test::FakeHostPage;
using test::HostPrefix;

// The host user key as Wine writes it; a change maps a value name to its new line, "" drops it.
std::vector<std::string> userKeyLines(const std::map<std::string, std::string> &changes = {}) {
    std::map<std::string, std::string> lines = {
        {"CtrlWindow", "\"CtrlWindow\"=dword:00000001"},
        {"AutoSaveDLG", "\"AutoSaveDLG\"=dword:00000002"},
        {"HideOldMdl", "\"HideOldMdl\"=dword:00000000"},
        {"LastANL", "\"LastANL\"=\"C:\\\\KVL\\\\Demo.anl3\""},
        {"ANLPath", "\"ANLPath\"=str(2):\"%USERPROFILE%\\\\Anlagen\""},
        {"AviPath", "\"AviPath\"=\"D:\\\\Media\""},
        {"LuaExtEd", "\"LuaExtEd\"=\"C:\\\\Tools\\\\edit.exe\""},
        {"MaxObj", "\"MaxObj\"=dword:00010000"},
    };
    for (const auto &[name, line] : changes)
        lines[name] = line;
    std::vector<std::string> result;
    for (const auto &[name, line] : lines)
        if (!line.empty())
            result.push_back(line);
    return result;
}

class LoadApplyTest : public ::testing::Test {
protected:
    void load(const std::string &interfaceLanguage = "ENG") {
        loadHostSettings(page, {firstLoad, interfaceLanguage, hostLanguageCode});
    }
    std::string loadError(const std::string &interfaceLanguage = "ENG") {
        try {
            load(interfaceLanguage);
        } catch (const Error &error) {
            return error.what();
        }
        return {};
    }
    std::string applyError() {
        try {
            applyHostSettings(page);
        } catch (const Error &error) {
            return error.what();
        }
        return {};
    }
    static std::string storedString(const std::string &name) {
        platform::Registry registry;
        EXPECT_TRUE(registry.openKey(platform::RootKey::CurrentUser, hostKeyPath(kHostVersion),
                                     platform::Access::AllAccess, platform::View::View64));
        return registry.readString(name);
    }
    static std::int32_t storedInteger(const std::string &name) {
        platform::Registry registry;
        EXPECT_TRUE(registry.openKey(platform::RootKey::CurrentUser, hostKeyPath(kHostVersion),
                                     platform::Access::AllAccess, platform::View::View64));
        return registry.readInteger(name);
    }

    HostPrefix prefix;
    FakeHostPage page;
    bool firstLoad = true;
    std::string hostLanguageCode;
};

TEST_F(LoadApplyTest, LoadFillsThePageFromBothKeysAndTheFilterFile) {
    prefix.installHost("GER");
    prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines());
    prefix.writeFilter("2");
    page.setResetChecked(PathField::LayoutFolder, true);

    load();

    EXPECT_TRUE(page.tabVisible);
    EXPECT_TRUE(page.pageSelected);
    EXPECT_FALSE(firstLoad);
    EXPECT_EQ(page.install, "C:\\KVL");
    EXPECT_EQ(page.languageName, "German");
    EXPECT_TRUE(page.flag(Flag::Dock));
    EXPECT_FALSE(page.flag(Flag::AutoSave)) << "only 1 checks a box";
    EXPECT_FALSE(page.flag(Flag::HideOldModels));
    EXPECT_TRUE(page.flag(Flag::ShowAlwaysDeprecated));
    const std::pair<PathField, const char *> paths[] = {
        {PathField::LastLayout, "C:\\KVL\\Demo.anl3"},
        {PathField::LayoutFolder, "%USERPROFILE%\\Anlagen"},
        {PathField::MediaFolder, "D:\\Media"},
        {PathField::LuaEditor, "C:\\Tools\\edit.exe"},
    };
    for (const auto &[field, text] : paths) {
        EXPECT_EQ(page.edit(field).text, text);
        EXPECT_EQ(page.edit(field).remembered, text);
    }
    EXPECT_TRUE(page.resetChecked(PathField::LayoutFolder)) << "a load leaves the reset boxes alone";
    EXPECT_EQ(page.maxObj, "4096");
}

TEST_F(LoadApplyTest, LoadRemembersTheTextEvenWhenTheFieldAlreadyShowsIt) {
    prefix.installHost();
    prefix.addUserKey(kvl::test::kHostKeyWine,
                      userKeyLines({{"ANLPath", "\"ANLPath\"=\"C:\\\\KVL\\\\Resourcen\\\\Anlagen\""}}));
    page.install = "C:\\KVL";
    page.choose(PathField::LayoutFolder, "D:\\Old");
    page.setResetChecked(PathField::LayoutFolder, true); // shows the very text the registry holds

    load();
    page.setResetChecked(PathField::LayoutFolder, false);

    EXPECT_EQ(page.pathText(PathField::LayoutFolder), "C:\\KVL\\Resourcen\\Anlagen");
}

TEST_F(LoadApplyTest, MissingInstallKeyLeavesThePageHiddenAndStillReadsTheRest) {
    prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines());
    std::filesystem::create_directories(prefix.driveC() + "/Resourcen/Categories/Filters");
    kvl::test::TempPrefix::writeFile(prefix.driveC() + "/Resourcen/Categories/Filters/deprecated_models.inf",
                                     "[deprecated_models_001]\r\nDefaultSetting=0\r\n");

    EXPECT_EQ(loadError(), "");

    EXPECT_FALSE(page.tabVisible);
    EXPECT_FALSE(firstLoad);
    EXPECT_EQ(filterFilePath(page), "\\Resourcen\\Categories\\Filters\\deprecated_models.inf");
    EXPECT_TRUE(page.flag(Flag::ShowAlwaysDeprecated)) << "the filter file at the bare suffix is read";
    EXPECT_TRUE(page.flag(Flag::Dock));
    EXPECT_EQ(page.languageName, "") << "no language code was ever read";
}

TEST_F(LoadApplyTest, MissingUserKeyKeepsTheDesignTimeState) {
    prefix.installHost();

    EXPECT_EQ(loadError(), "");

    EXPECT_TRUE(page.tabVisible);
    EXPECT_EQ(page.install, "C:\\KVL");
    EXPECT_EQ(page.languageName, "");
    EXPECT_FALSE(page.flag(Flag::Dock));
    EXPECT_EQ(page.pathText(PathField::LayoutFolder), "");
    EXPECT_EQ(page.maxObj, "1000");
    EXPECT_FALSE(page.flag(Flag::ShowAlwaysDeprecated)) << "a missing filter file counts as 1";
}

TEST_F(LoadApplyTest, UserKeyFailureStopsTheLoadAndKeepsWhatWasLoaded) {
    struct Case {
        const char *name;
        const char *line;
        const char *message;
        PathField probe; // a path field next to the failing value
        const char *probeText;
    };
    const Case cases[] = {
        {"HideOldMdl", "", "Failed to get data for 'HideOldMdl'", PathField::LastLayout, ""},
        {"HideOldMdl", "\"HideOldMdl\"=\"1234\"", "Failed to get data for 'HideOldMdl'",
         PathField::LastLayout, ""},
        {"MaxObj", "\"MaxObj\"=\"1234\"", "Failed to get data for 'MaxObj'", PathField::LuaEditor,
         "C:\\Tools\\edit.exe"},
        {"MaxObj", "\"MaxObj\"=\"12\"", "Invalid data type for 'MaxObj'", PathField::LuaEditor,
         "C:\\Tools\\edit.exe"},
    };
    for (const auto &c : cases) {
        HostPrefix localPrefix;
        localPrefix.installHost();
        localPrefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines({{c.name, c.line}}));
        localPrefix.writeFilter("0");
        FakeHostPage localPage;
        bool localFirstLoad = true;
        std::string localLanguageCode;
        std::string message;
        try {
            loadHostSettings(localPage, {localFirstLoad, "ENG", localLanguageCode});
        } catch (const Error &error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.message) << c.line;
        EXPECT_TRUE(localPage.flag(Flag::Dock)) << "loaded before the failure";
        EXPECT_EQ(localPage.pathText(c.probe), c.probeText) << c.line;
        EXPECT_EQ(localPage.maxObj, "1000");
        EXPECT_EQ(localPage.languageName, "");
        EXPECT_FALSE(localPage.flag(Flag::ShowAlwaysDeprecated)) << "the filter file is not read";
    }
}

TEST_F(LoadApplyTest, DirectoryOfWrongTypeStopsInTheInstallKeyStep) {
    prefix.addSystemKey(kvl::test::kHostKeyWine, {"\"Directory\"=dword:00000001", "\"Language\"=\"ENG\""});
    prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines());
    prefix.writeFilter("0");

    EXPECT_EQ(loadError(), "Invalid data type for 'Directory'");

    EXPECT_TRUE(page.tabVisible);
    EXPECT_FALSE(page.pageSelected);
    EXPECT_TRUE(firstLoad);
    EXPECT_FALSE(page.flag(Flag::Dock));
    EXPECT_FALSE(page.flag(Flag::ShowAlwaysDeprecated));
}

TEST_F(LoadApplyTest, LanguageNameFollowsTheInterfaceLanguageOnTheNextLoad) {
    prefix.installHost("ENG");
    prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines());
    load("ENG");
    EXPECT_EQ(page.languageName, "English");
    page.pageSelected = false;
    load("GER");
    EXPECT_EQ(page.languageName, "Englisch");
    EXPECT_FALSE(page.pageSelected) << "only the first load selects the page";
    load("ITA");
    EXPECT_EQ(page.languageName, "Englisch") << "an unknown interface code leaves the name";
}

TEST_F(LoadApplyTest, HostLanguageCodeOutlivesALoadWithoutInstallKey) {
    prefix.installHost("FRA");
    prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines());
    load("ENG");
    const std::string userHive = kvl::test::TempPrefix::readFile(prefix.userReg());
    kvl::test::TempPrefix::writeFile(prefix.systemReg(), "WINE REGISTRY Version 2\n\n#arch=win64\n");
    load("GER");
    EXPECT_EQ(page.languageName, "Franz\xF6sisch");
    EXPECT_EQ(kvl::test::TempPrefix::readFile(prefix.userReg()), userHive);
}

TEST_F(LoadApplyTest, ApplyWithoutUserKeyWritesOnlyTheFilterFile) {
    prefix.installHost();
    prefix.writeFilter("1");
    const std::string systemHive = kvl::test::TempPrefix::readFile(prefix.systemReg());
    const std::string userHive = kvl::test::TempPrefix::readFile(prefix.userReg());
    load();
    page.setFlag(Flag::ShowAlwaysDeprecated, true);
    page.setResetChecked(PathField::LastLayout, true);

    EXPECT_EQ(applyError(), "");

    EXPECT_EQ(kvl::test::TempPrefix::readFile(prefix.userReg()), userHive);
    EXPECT_EQ(kvl::test::TempPrefix::readFile(prefix.systemReg()), systemHive);
    EXPECT_NE(kvl::test::TempPrefix::readFile(prefix.filterFile()).find("DefaultSetting=0"),
              std::string::npos);
    EXPECT_FALSE(page.resetChecked(PathField::LastLayout));
}

class ApplyTest : public LoadApplyTest {
protected:
    void SetUp() override {
        prefix.installHost();
        prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines());
        prefix.writeFilter("1");
        load();
        systemHive = kvl::test::TempPrefix::readFile(prefix.systemReg());
    }
    void TearDown() override {
        EXPECT_EQ(kvl::test::TempPrefix::readFile(prefix.systemReg()), systemHive)
            << "the install key is never written";
    }
    std::string filterText() const { return kvl::test::TempPrefix::readFile(prefix.filterFile()); }

    std::string systemHive;
};

TEST_F(ApplyTest, WritesTheEightValuesAndTheFilterFile) {
    page.setFlag(Flag::Dock, false);
    page.setFlag(Flag::AutoSave, true);
    page.setFlag(Flag::HideOldModels, true);
    page.setFlag(Flag::ShowAlwaysDeprecated, true);
    page.choose(PathField::MediaFolder, "\\\\server\\share\\M\344dien");
    page.maxObj = "4096";

    EXPECT_EQ(applyError(), "");

    EXPECT_EQ(storedInteger("CtrlWindow"), 0);
    EXPECT_EQ(storedInteger("AutoSaveDLG"), 1);
    EXPECT_EQ(storedInteger("HideOldMdl"), 1);
    EXPECT_EQ(storedString("LastANL"), "C:\\KVL\\Demo.anl3");
    EXPECT_EQ(storedString("ANLPath"), "%USERPROFILE%\\Anlagen");
    EXPECT_EQ(storedString("AviPath"), "\\\\server\\share\\M\344dien");
    EXPECT_EQ(storedString("LuaExtEd"), "C:\\Tools\\edit.exe");
    EXPECT_EQ(storedInteger("MaxObj"), 4096);
    const std::string userHive = kvl::test::TempPrefix::readFile(prefix.userReg());
    EXPECT_NE(userHive.find("\"ANLPath\"=\"%USERPROFILE%\\\\Anlagen\""), std::string::npos)
        << "an expandable string is rewritten as a plain one";
    EXPECT_NE(filterText().find("DefaultSetting=0"), std::string::npos);
}

TEST_F(ApplyTest, ResetBoxesDecideWhatIsStored) {
    page.setResetChecked(PathField::LastLayout, true);
    page.setResetChecked(PathField::LuaEditor, true);
    page.setResetChecked(PathField::LayoutFolder, true);
    page.choose(PathField::LastLayout, "C:\\KVL\\Other.anl3");

    EXPECT_EQ(applyError(), "");

    EXPECT_EQ(storedString("LastANL"), "");
    EXPECT_EQ(storedString("LuaExtEd"), "");
    EXPECT_EQ(storedString("ANLPath"), "C:\\KVL\\Resourcen\\Anlagen");
    EXPECT_FALSE(page.resetChecked(PathField::LastLayout));
    EXPECT_EQ(page.pathText(PathField::LastLayout), "");
    EXPECT_EQ(page.edit(PathField::LastLayout).remembered, "");
    EXPECT_TRUE(page.resetChecked(PathField::LuaEditor));
    EXPECT_EQ(page.pathText(PathField::LuaEditor), "notepad");
    EXPECT_TRUE(page.resetChecked(PathField::LayoutFolder));
    page.setResetChecked(PathField::LayoutFolder, false);
    EXPECT_EQ(page.pathText(PathField::LayoutFolder), "%USERPROFILE%\\Anlagen")
        << "the loaded folder comes back";
}

TEST_F(ApplyTest, RejectedMaxObjStopsBeforeMaxObj) {
    page.setFlag(Flag::Dock, false);
    page.setFlag(Flag::ShowAlwaysDeprecated, true);
    page.setResetChecked(PathField::LastLayout, true);
    page.maxObj = "12a";
    const std::string filterBefore = filterText();

    EXPECT_EQ(applyError(), "'12a' is not a valid integer value");

    EXPECT_EQ(storedInteger("CtrlWindow"), 0);
    EXPECT_EQ(storedString("LastANL"), "");
    EXPECT_EQ(storedString("LuaExtEd"), "C:\\Tools\\edit.exe");
    EXPECT_EQ(storedInteger("MaxObj"), 65536) << "MaxObj keeps its stored value";
    EXPECT_TRUE(page.resetChecked(PathField::LastLayout));
    EXPECT_EQ(filterText(), filterBefore);
}

TEST_F(ApplyTest, EmptyMaxObjIsStoredAsZeroAndShown) {
    page.maxObj = "";
    EXPECT_EQ(applyError(), "");
    EXPECT_EQ(page.maxObj, "0");
    EXPECT_EQ(storedInteger("MaxObj"), 0);
}

TEST_F(ApplyTest, MissingFilterFolderFailsAfterTheRegistryStep) {
    std::filesystem::remove_all(prefix.driveC() + "/KVL/Resourcen");
    page.setResetChecked(PathField::LastLayout, true);
    page.maxObj = "2500";

    EXPECT_EQ(applyError(), std::string("Unable to write to ") + HostPrefix::kFilterWindowsPath);

    EXPECT_EQ(storedInteger("MaxObj"), 2500);
    EXPECT_EQ(storedString("LastANL"), "");
    EXPECT_FALSE(page.resetChecked(PathField::LastLayout));
}

// A load stopped at AutoSaveDLG stored as text: the page then holds CtrlWindow from the registry and
// design-time values for the rest. Apply keeps the stored values the user never saw, and stores what
// the load put there and whatever the user changed.
class ApplyAfterIncompleteLoadTest : public LoadApplyTest {
protected:
    void SetUp() override {
        prefix.installHost();
        prefix.addUserKey(kvl::test::kHostKeyWine, userKeyLines({{"AutoSaveDLG", "\"AutoSaveDLG\"=\"1\""}}));
        prefix.writeFilter("0");
        ASSERT_EQ(loadError(), "Invalid data type for 'AutoSaveDLG'");
        userHive = kvl::test::TempPrefix::readFile(prefix.userReg());
    }
    std::string userHive;
};

TEST_F(ApplyAfterIncompleteLoadTest, ValuesTheLoadDidNotShowStayAsStored) {
    EXPECT_EQ(applyError(), "");

    const std::string after = kvl::test::TempPrefix::readFile(prefix.userReg());
    for (const std::string &line : userKeyLines({{"AutoSaveDLG", "\"AutoSaveDLG\"=\"1\""}}))
        EXPECT_NE(after.find(line + "\n"), std::string::npos) << line;
    EXPECT_EQ(storedInteger("CtrlWindow"), 1) << "loaded, and stored as the page shows it";
    EXPECT_NE(kvl::test::TempPrefix::readFile(prefix.filterFile()).find("DefaultSetting=0"),
              std::string::npos);
}

TEST_F(ApplyAfterIncompleteLoadTest, WhatTheUserChangedIsStored) {
    page.click(Flag::Dock, false);
    page.click(Flag::HideOldModels, true);
    page.choose(PathField::MediaFolder, "E:\\Media");
    page.clickReset(PathField::LuaEditor, true);
    page.type("2000");
    page.click(Flag::ShowAlwaysDeprecated, false);

    EXPECT_EQ(applyError(), "");

    EXPECT_EQ(storedInteger("CtrlWindow"), 0);
    EXPECT_EQ(storedInteger("HideOldMdl"), 1);
    EXPECT_EQ(storedString("AviPath"), "E:\\Media");
    EXPECT_EQ(storedString("LuaExtEd"), "");
    EXPECT_EQ(storedInteger("MaxObj"), 2000);
    EXPECT_EQ(storedString("AutoSaveDLG"), "1") << "untouched";
    EXPECT_EQ(storedString("LastANL"), "C:\\KVL\\Demo.anl3") << "untouched";
    EXPECT_EQ(storedString("ANLPath"), "%USERPROFILE%\\Anlagen") << "untouched";
    EXPECT_NE(kvl::test::TempPrefix::readFile(prefix.filterFile()).find("DefaultSetting=1"),
              std::string::npos);
}

TEST_F(ApplyAfterIncompleteLoadTest, ACompleteLoadAfterwardsStoresThePageAsItStands) {
    std::string repaired = userHive;
    const std::string text = "\"AutoSaveDLG\"=\"1\"";
    repaired.replace(repaired.find(text), text.size(), "\"AutoSaveDLG\"=dword:00000001");
    kvl::test::TempPrefix::writeFile(prefix.userReg(), repaired);
    ASSERT_EQ(loadError(), "");
    page.setMaxObjText("");
    page.setFlag(Flag::ShowAlwaysDeprecated, false);

    EXPECT_EQ(applyError(), "");

    EXPECT_EQ(storedInteger("AutoSaveDLG"), 1);
    EXPECT_EQ(storedInteger("MaxObj"), 0);
    EXPECT_NE(kvl::test::TempPrefix::readFile(prefix.filterFile()).find("DefaultSetting=1"),
              std::string::npos);
}

// A hive that is there but broken stops Apply with its name, before the filter file and the reset of
// the last layout, and stays as it was.
TEST_F(ApplyTest, ABrokenUserHiveIsNamedAndStopsApply) {
    const std::string hive = kvl::test::TempPrefix::readFile(prefix.userReg());
    const std::string broken = hive.substr(0, hive.size() - 3);
    kvl::test::TempPrefix::writeFile(prefix.userReg(), broken);
    page.click(Flag::ShowAlwaysDeprecated, true);
    page.clickReset(PathField::LastLayout, true);
    const std::string filterBefore = filterText();

    try {
        applyHostSettings(page);
        ADD_FAILURE() << "no error";
    } catch (const TranslatedError &error) {
        EXPECT_EQ(error.reason(), TranslatedError::Reason::BrokenHive);
        EXPECT_EQ(error.subject(), prefix.userReg());
    }

    EXPECT_EQ(kvl::test::TempPrefix::readFile(prefix.userReg()), broken);
    EXPECT_EQ(filterText(), filterBefore);
    EXPECT_TRUE(page.resetChecked(PathField::LastLayout));
}

// What Apply stopped at: the reason and subject of its error, the hive and filter file unchanged, the last
// layout's reset box left as it was. As a plain result, so that a child process can report it.
class RefusedApplyTest : public ApplyTest {
protected:
    bool appliedNothingBecause(TranslatedError::Reason reason) {
        const std::string hive = kvl::test::TempPrefix::readFile(prefix.userReg());
        const std::string filter = filterText();
        page.click(Flag::ShowAlwaysDeprecated, true);
        page.clickReset(PathField::LastLayout, true);
        bool named = false;
        try {
            applyHostSettings(page);
        } catch (const TranslatedError &error) {
            named = error.reason() == reason && error.subject() == prefix.userReg();
        }
        return named && kvl::test::TempPrefix::readFile(prefix.userReg()) == hive && filterText() == filter &&
               page.resetChecked(PathField::LastLayout);
    }
    // Mounts a file system over the prefix's folder (its files copied onto it); false where mounting is
    // not allowed.
    bool mountOverPrefix(const char *type, const std::string &options, unsigned long flags = 0) {
        const std::string saved = prefix.path() + ".saved";
        std::filesystem::copy(prefix.path(), saved,
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::copy_symlinks);
        const char *source = flags & MS_BIND ? saved.c_str() : type;
        if (::mount(source, prefix.path().c_str(), type, flags, options.c_str()) != 0)
            return false;
        mounted = true;
        if (!(flags & MS_BIND))
            std::filesystem::copy(saved, prefix.path(),
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::copy_symlinks);
        return true;
    }
    void TearDown() override {
        ApplyTest::TearDown();
        if (mounted)
            ::umount2(prefix.path().c_str(), MNT_DETACH);
        std::filesystem::remove_all(prefix.path() + ".saved");
    }
    bool mounted = false;
};

// A hive the user may not write stops Apply with its name (Wine would let its programs write the key and
// then fail to save it), before the filter file and the reset of the last layout.
TEST_F(RefusedApplyTest, AHiveTheUserCannotWriteIsNamedAndStopsApply) {
    std::filesystem::permissions(prefix.userReg(), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::group_read |
                                                       std::filesystem::perms::others_read);
    EXPECT_TRUE(appliedNothingBecause(TranslatedError::Reason::UnwritableHive)) << "mode 444";
}

TEST_F(RefusedApplyTest, AHiveOnAReadOnlyMountIsNamedAndStopsApply) {
    if (!mountOverPrefix("none", "", MS_BIND) ||
        ::mount("none", prefix.path().c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "no read-only bind mount allowed here";
    EXPECT_TRUE(appliedNothingBecause(TranslatedError::Reason::UnwritableHive));
}

// Another user's hive, for a user other than root (root may write any file).
TEST_F(RefusedApplyTest, AnotherUsersHiveIsNamedAndStopsApply) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can run the test as another user";
    constexpr uid_t kOtherUser = 65534;
    std::filesystem::permissions(prefix.path(),
                                 std::filesystem::perms::all & ~(std::filesystem::perms::group_write |
                                                                 std::filesystem::perms::others_write));
    const pid_t child = ::fork();
    if (child == 0) {
        const bool asOtherUser = ::setgid(kOtherUser) == 0 && ::setuid(kOtherUser) == 0;
        ::_exit(asOtherUser && appliedNothingBecause(TranslatedError::Reason::UnwritableHive) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A full disk is named as such, with the hive that did not fit, which stays as it was.
TEST_F(RefusedApplyTest, AFullDiskIsNamedAndTheHiveStaysAsItWas) {
    if (!mountOverPrefix("tmpfs", "size=1m"))
        GTEST_SKIP() << "no small file system can be mounted here";
    std::ofstream filler(prefix.path() + "/filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
    EXPECT_TRUE(appliedNothingBecause(TranslatedError::Reason::DiskFull));
}

} // namespace
} // namespace kvl::host

#include "host/detached_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "host/fake_host_page.h"
#include "host/host_prefix.h"
#include "host/load_apply.h"
#include "platform/error.h"

namespace kvl::host {
namespace {

using test::FakeHostPage;
using test::HostPrefix;

// Everything of the page a user or a later Apply could notice.
std::string describe(FakeHostPage &page) {
    std::ostringstream out;
    out << page.tabVisible << page.pageSelected << page.install << '|' << page.languageName << '|'
        << page.maxObj << '|' << page.outdatedNote << '|';
    for (const auto &[flag, checked] : page.flags)
        out << static_cast<int>(flag) << checked << ' ';
    for (const auto &[field, edit] : page.edits)
        out << static_cast<int>(field) << edit.text << ',' << edit.remembered << ',' << edit.reset << ' ';
    for (std::size_t value = 0; value < kPageValues; ++value)
        out << page.record().mayStore(static_cast<PageValue>(value));
    return out.str();
}

// A load or Apply run on the page itself and, on a twin, through a detached copy replayed afterwards:
// the two pages end alike, also when the operation stops at an error half-way.
TEST(DetachedPage, AnOperationThroughItLeavesThePageAsOneOnThePageItself) {
    struct Case {
        const char *name;
        std::vector<std::string> userKey;
        std::function<void(FakeHostPage &)> prepare;
        std::function<void(HostPage &)> operation;
    };
    bool firstLoad = true;
    std::string languageCode;
    const auto load = [&](HostPage &page) {
        firstLoad = true;
        loadHostSettings(page, {firstLoad, "GER", languageCode});
    };
    const std::vector<std::string> complete = {
        "\"CtrlWindow\"=dword:00000001", "\"AutoSaveDLG\"=dword:00000000", "\"HideOldMdl\"=dword:00000001",
        "\"LastANL\"=\"C:\\\\a.anl\"",   "\"ANLPath\"=\"C:\\\\Layouts\"",  "\"LuaExtEd\"=\"notepad\"",
        "\"MaxObj\"=dword:00000500"};
    const auto userChanges = [](FakeHostPage &page) {
        page.choose(PathField::LastLayout, "C:\\b.anl");
        page.clickReset(PathField::LastLayout, true);
        page.clickReset(PathField::LuaEditor, true);
        page.click(Flag::ShowAlwaysDeprecated, true);
        page.type("");
    };
    const Case cases[] = {
        {"complete load", complete, [](FakeHostPage &) {}, load},
        {"load stopped at a missing value", {"\"CtrlWindow\"=dword:00000001"}, [](FakeHostPage &) {}, load},
        {"apply after changes", complete, userChanges, applyHostSettings},
        {"apply stopped at a bad number", complete,
         [&](FakeHostPage &page) {
             userChanges(page);
             page.type("12x");
         },
         applyHostSettings},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HostPrefix prefix;
        prefix.installHost("ENG");
        prefix.addUserKey(kvl::test::kHostKeyWine, c.userKey);
        prefix.writeFilter("0");
        FakeHostPage direct, replayed;
        for (FakeHostPage *page : {&direct, &replayed}) {
            page->setInstallDirectory(HostPrefix::kInstallDirectory);
            c.prepare(*page);
        }
        std::string directError, detachedError;
        try {
            c.operation(direct);
        } catch (const Error &error) {
            directError = error.what();
        }
        DetachedPage detached(replayed);
        try {
            c.operation(detached);
        } catch (const Error &error) {
            detachedError = error.what();
        }
        detached.replayOn(replayed);
        EXPECT_EQ(detachedError, directError);
        EXPECT_EQ(describe(replayed), describe(direct));
    }
}

} // namespace
} // namespace kvl::host

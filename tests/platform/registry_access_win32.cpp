// What a standard user meets on Windows and Wine never enforces: keys that refuse full access.
#include "platform/error.h"
#include "platform/win32/registry_open.h"
#include "registry_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvl::platform {
namespace {

// The rights of each open and the refusal a stand-in gives to any asking for more than reading.
std::vector<REGSAM> asked;
LONG refusal = ERROR_SUCCESS;

LONG WINAPI refusingOpen(HKEY root, LPCSTR path, DWORD options, REGSAM rights, PHKEY key) {
    asked.push_back(rights);
    if ((rights & ~(KEY_READ | KEY_WOW64_64KEY)) != 0 && refusal != ERROR_SUCCESS)
        return refusal;
    return RegOpenKeyExA(root, path, options, rights, key);
}

TEST(RegistryAccess, AKeyRefusingFullAccessForWantOfRightsOpensForReading) {
    struct Case {
        const char *what;
        LONG refusal;
        Access access;
        bool opens;
        std::vector<REGSAM> asked;
        const char *writeError;
    };
    // Full access last: its write changes the value the others read.
    const Case cases[] = {
        {"full access denied",
         ERROR_ACCESS_DENIED,
         Access::AllAccess,
         true,
         {KEY_ALL_ACCESS | KEY_WOW64_64KEY, KEY_READ | KEY_WOW64_64KEY},
         "Failed to set data for 'V'"},
        {"other refusal",
         ERROR_INVALID_PARAMETER,
         Access::AllAccess,
         false,
         {KEY_ALL_ACCESS | KEY_WOW64_64KEY},
         ""},
        {"reading asked",
         ERROR_ACCESS_DENIED,
         Access::Read,
         true,
         {KEY_READ | KEY_WOW64_64KEY},
         "Failed to set data for 'V'"},
        {"full access granted",
         ERROR_SUCCESS,
         Access::AllAccess,
         true,
         {KEY_ALL_ACCESS | KEY_WOW64_64KEY},
         ""},
    };
    const auto fixture = test::RegistryFixture::create();
    const std::string key = fixture->keyPath("Install");
    fixture->putKey(RootKey::LocalMachine, key, {{"V", test::kSz, std::string("C:\\KVL", 7)}});
    const RegistryOpen real = useRegistryOpen(&refusingOpen);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        asked.clear();
        refusal = c.refusal;
        Registry registry;
        EXPECT_EQ(registry.openKey(RootKey::LocalMachine, key, c.access, View::View64), c.opens);
        EXPECT_EQ(asked, c.asked);
        if (!c.opens)
            continue;
        EXPECT_EQ(registry.readString("V"), "C:\\KVL");
        std::string error;
        try {
            registry.writeString("V", "changed");
        } catch (const Error &e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.writeError);
    }
    useRegistryOpen(real);
    EXPECT_EQ(fixture->readBack(RootKey::LocalMachine, key, "V")->data, std::string("changed\0", 8));
}

} // namespace
} // namespace kvl::platform

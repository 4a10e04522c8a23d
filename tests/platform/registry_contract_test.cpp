#include "registry_fixture.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace kvl::platform {
namespace {

using test::kBinary;
using test::kDword;
using test::kExpandSz;
using test::kMultiSz;
using test::kQword;
using test::kSz;
using test::StoredValue;

std::string bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }
std::string dword(std::uint32_t value) {
    return bytes({static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                  static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)});
}
std::string sz(const std::string &text) { return text + std::string(1, '\0'); }

// The error text a call raised, or "" when it succeeded.
template <typename Call> std::string errorOf(Call call) {
    try {
        call();
        return {};
    } catch (const Error &error) {
        return error.what();
    }
}

class RegistryContract : public testing::Test {
protected:
    std::unique_ptr<test::RegistryFixture> fixture = test::RegistryFixture::create();
    std::string key = fixture->keyPath("QTRX");

    void put(const std::vector<StoredValue> &values, RootKey root = RootKey::CurrentUser) {
        fixture->putKey(root, key, values);
    }
    // Table rows each get a key of their own.
    void useKey(const std::string &name) { key = fixture->keyPath(name); }
    std::unique_ptr<Registry> opened(Access access = Access::AllAccess) {
        auto registry = std::make_unique<Registry>();
        EXPECT_TRUE(registry->openKey(RootKey::CurrentUser, "\\" + key, access, View::View64));
        return registry;
    }
};

struct StringCase {
    const char *what;
    StoredValue stored;
    std::string expected;
    std::string error;
};

TEST_F(RegistryContract, ReadsStringsByTheSizeAndTypeRules) {
    const std::vector<StringCase> cases = {
        {"plain", {"V", kSz, sz("C:\\KVL 17\\")}, "C:\\KVL 17\\", ""},
        {"expandable, not expanded",
         {"V", kExpandSz, sz("%USERPROFILE%\\Anlagen")},
         "%USERPROFILE%\\Anlagen",
         ""},
        {"ends at the first NUL", {"V", kSz, sz(std::string("ab\0cd", 5))}, "ab", ""},
        {"code page 1252", {"V", kSz, sz("\xe4\xdf\x80 \"q\" \\")}, "\xe4\xdf\x80 \"q\" \\", ""},
        {"only the NUL", {"V", kSz, sz("")}, "", ""},
        {"no data at all", {"V", kBinary, ""}, "", ""},
        {"integer", {"V", kDword, dword(5)}, "", "Invalid data type for 'v'"},
        {"binary", {"V", kBinary, bytes({1, 2})}, "", "Invalid data type for 'v'"},
        {"multi-string", {"V", kMultiSz, sz(sz("a"))}, "", "Invalid data type for 'v'"},
        {"missing", {"Other", kSz, sz("x")}, "", ""},
    };
    for (const StringCase &c : cases) {
        SCOPED_TRACE(c.what);
        useKey(c.what);
        put({c.stored});
        auto registry = opened(Access::Read);
        std::string text;
        EXPECT_EQ(errorOf([&] { text = registry->readString("v"); }), c.error);
        EXPECT_EQ(text, c.expected);
    }
}

struct IntegerCase {
    const char *what;
    StoredValue stored;
    std::int32_t expected;
    std::string error;
};

TEST_F(RegistryContract, ReadsIntegersWithAFourByteBuffer) {
    const std::vector<IntegerCase> cases = {
        {"dword", {"MaxObj", kDword, dword(1000)}, 1000, ""},
        {"all bits set", {"MaxObj", kDword, dword(0xFFFFFFFF)}, -1, ""},
        {"missing", {"Other", kDword, dword(1)}, 0, "Failed to get data for 'MaxObj'"},
        {"four characters do not fit", {"MaxObj", kSz, sz("1000")}, 0, "Failed to get data for 'MaxObj'"},
        {"two characters fit", {"MaxObj", kSz, sz("10")}, 0, "Invalid data type for 'MaxObj'"},
        {"binary of four bytes", {"MaxObj", kBinary, dword(7)}, 0, "Invalid data type for 'MaxObj'"},
        {"binary of eight bytes",
         {"MaxObj", kBinary, dword(7) + dword(0)},
         0,
         "Failed to get data for 'MaxObj'"},
        {"quad word", {"MaxObj", kQword, dword(7) + dword(0)}, 0, "Failed to get data for 'MaxObj'"},
    };
    for (const IntegerCase &c : cases) {
        SCOPED_TRACE(c.what);
        useKey(c.what);
        put({c.stored});
        auto registry = opened(Access::Read);
        std::int32_t value = 0;
        EXPECT_EQ(errorOf([&] { value = registry->readInteger("MaxObj"); }), c.error);
        EXPECT_EQ(value, c.expected);
    }
}

TEST_F(RegistryContract, OpensOnlyExistingKeysWhateverTheirCase) {
    put({{"Directory", kSz, sz("C:\\KVL")}}, RootKey::LocalMachine);
    struct Case {
        RootKey root;
        std::string path;
        View view;
        bool opens;
    };
    const std::vector<Case> cases = {
        {RootKey::LocalMachine, "\\" + key, View::View64, true},
        {RootKey::LocalMachine, key, View::Default, true},
        {RootKey::LocalMachine, "\\SOFTWARE\\kvlcontract\\qtrx", View::View64, true},
        {RootKey::LocalMachine, "\\" + key + "\\Missing", View::View64, false},
        {RootKey::CurrentUser, "\\" + key, View::View64, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        Registry registry;
        EXPECT_EQ(registry.openKey(c.root, c.path, Access::Read, c.view), c.opens);
        EXPECT_EQ(registry.hasOpenKey(), c.opens);
        if (c.opens) {
            EXPECT_EQ(registry.readString("directory"), "C:\\KVL");
        }
    }
}

TEST_F(RegistryContract, AFailedOpenLeavesNoKeyOpen) {
    put({{"A", kSz, sz("x")}});
    auto registry = opened();
    EXPECT_FALSE(registry->openKey(RootKey::CurrentUser, key + "\\Missing", Access::Read, View::Default));
    EXPECT_FALSE(registry->hasOpenKey());
    registry->closeKey();
    EXPECT_FALSE(registry->hasOpenKey());
}

TEST_F(RegistryContract, WritesStringsAndIntegersThatReadBackAsStored) {
    put({{"ANLPath", kExpandSz, sz("%TEMP%\\a")},
         {"MaxObj", kDword, dword(1000)},
         {"Keep", kSz, sz("same")}});
    {
        auto registry = opened();
        registry->writeString("anlpath", "%TEMP%\\a");
        registry->writeInteger("MaxObj", -2);
        registry->writeString("LastANL", "");
        registry->writeString("LuaExtEd", "C:\\Programme\\\xe4\xdf\x80\\\"x\" \t.exe");
        registry->writeInteger("CtrlWindow", 1);
        registry->closeKey();
    }
    const std::vector<StoredValue> expected = {
        {"ANLPath", kSz, sz("%TEMP%\\a")}, {"MaxObj", kDword, dword(0xFFFFFFFE)},
        {"LastANL", kSz, sz("")},          {"LuaExtEd", kSz, sz("C:\\Programme\\\xe4\xdf\x80\\\"x\" \t.exe")},
        {"CtrlWindow", kDword, dword(1)},  {"Keep", kSz, sz("same")},
    };
    for (const StoredValue &value : expected) {
        SCOPED_TRACE(value.name);
        const auto stored = fixture->readBack(RootKey::CurrentUser, key, value.name);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->type, value.type);
        EXPECT_EQ(stored->data, value.data);
    }
}

TEST_F(RegistryContract, ReadsWhatWasWrittenWhileTheKeyIsOpen) {
    put({{"MaxObj", kDword, dword(1000)}});
    auto registry = opened();
    registry->writeInteger("maxobj", 2500);
    registry->writeString("AviPath", "D:\\Media");
    EXPECT_EQ(registry->readInteger("MaxObj"), 2500);
    EXPECT_EQ(registry->readString("AVIPATH"), "D:\\Media");
}

TEST_F(RegistryContract, RefusesWritesWithoutAnOpenWritableKey) {
    put({{"MaxObj", kDword, dword(1000)}});
    auto readOnly = opened(Access::Read);
    EXPECT_EQ(errorOf([&] { readOnly->writeInteger("MaxObj", 5); }), "Failed to set data for 'MaxObj'");
    EXPECT_EQ(errorOf([&] { readOnly->writeString("LastANL", "x"); }), "Failed to set data for 'LastANL'");
    readOnly->closeKey();
    Registry closed;
    EXPECT_EQ(errorOf([&] { closed.writeInteger("MaxObj", 5); }), "Failed to set data for 'MaxObj'");
    EXPECT_EQ(fixture->readBack(RootKey::CurrentUser, key, "MaxObj")->data, dword(1000));
    EXPECT_FALSE(fixture->readBack(RootKey::CurrentUser, key, "LastANL").has_value());
}

} // namespace
} // namespace kvl::platform

#include "registry_fixture.h"

#include <windows.h>

#include <stdexcept>

namespace kvl::test {

namespace {

using platform::RootKey;

constexpr const char *kTestKey = "Software\\KvlContract";

HKEY rootHandle(RootKey root) {
    return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32RegistryFixture : public RegistryFixture {
public:
    Win32RegistryFixture() { removeTestKeys(); }
    ~Win32RegistryFixture() override { removeTestKeys(); }

    std::string keyPath(const std::string &name) const override {
        return std::string(kTestKey) + "\\" + name;
    }

    void putKey(RootKey root, const std::string &path, const std::vector<StoredValue> &values) override {
        HKEY key = nullptr;
        if (RegCreateKeyExA(rootHandle(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create " + path);
        for (const StoredValue &value : values)
            RegSetValueExA(key, value.name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE *>(value.data.data()),
                           static_cast<DWORD>(value.data.size()));
        RegCloseKey(key);
    }

    std::optional<StoredValue> readBack(RootKey root, const std::string &path,
                                        const std::string &name) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(rootHandle(root), path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        StoredValue value{name, 0, std::string(4096, '\0')};
        DWORD size = static_cast<DWORD>(value.data.size());
        DWORD type = 0;
        const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE *>(value.data.data()), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        value.type = type;
        value.data.resize(size);
        return value;
    }

private:
    static void removeTestKeys() {
        for (const RootKey root : {RootKey::LocalMachine, RootKey::CurrentUser})
            RegDeleteTreeA(rootHandle(root), kTestKey);
    }
};

} // namespace

std::unique_ptr<RegistryFixture> RegistryFixture::create() {
    return std::make_unique<Win32RegistryFixture>();
}

} // namespace kvl::test

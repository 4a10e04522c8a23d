#include "platform/registry.h"

#include <windows.h>

#include <utility>

#include "platform/error.h"
#include "platform/win32/registry_open.h"

namespace kvl::platform {

namespace {

[[noreturn]] void fail(const char *format, const std::string &name) {
    throw Error(std::string(format) + "'" + name + "'");
}

HKEY rootHandle(RootKey root) {
    return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

RegistryOpen registryOpen = &RegOpenKeyExA;

} // namespace

RegistryOpen useRegistryOpen(RegistryOpen open) {
    return std::exchange(registryOpen, open ? open : &RegOpenKeyExA);
}

struct Registry::Impl {
    HKEY key = nullptr;
};

Registry::Registry() : impl_(std::make_unique<Impl>()) {}

Registry::~Registry() { closeKey(); }

LONG openRegistryKey(RootKey root, const std::string &path, Access access, View view, HKEY *key) {
    const std::string relative = path.starts_with('\\') ? path.substr(1) : path;
    const REGSAM viewFlag = view == View::View64 ? KEY_WOW64_64KEY : 0;
    LONG result = registryOpen(rootHandle(root), relative.c_str(), 0,
                               (access == Access::AllAccess ? KEY_ALL_ACCESS : KEY_READ) | viewFlag, key);
    // The host's installer gives standard users, and administrators running without elevation, read
    // access only to its key under HKEY_LOCAL_MACHINE. The program never writes that key, so reading
    // serves; a write to a key opened this way fails as Windows refuses it.
    if (result == ERROR_ACCESS_DENIED && access == Access::AllAccess)
        result = registryOpen(rootHandle(root), relative.c_str(), 0, KEY_READ | viewFlag, key);
    return result;
}

bool Registry::openKey(RootKey root, const std::string &path, Access access, View view) {
    closeKey();
    HKEY key = nullptr;
    if (openRegistryKey(root, path, access, view, &key) != ERROR_SUCCESS)
        return false;
    impl_->key = key;
    return true;
}

void Registry::closeKey() {
    if (impl_->key)
        RegCloseKey(impl_->key);
    impl_->key = nullptr;
}

bool Registry::hasOpenKey() const { return impl_->key != nullptr; }

bool Registry::mayBeOutdated() const { return false; }

std::string Registry::readString(const std::string &name) {
    DWORD size = 0;
    DWORD type = 0;
    if (!impl_->key ||
        RegQueryValueExA(impl_->key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return {};
    std::string data(size, '\0');
    if (RegQueryValueExA(impl_->key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        fail("Invalid data type for ", name);
    data.resize(std::min<std::size_t>(size, data.size()));
    return data.substr(0, data.find('\0'));
}

std::int32_t Registry::readInteger(const std::string &name) {
    std::int32_t value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (!impl_->key || RegQueryValueExA(impl_->key, name.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE *>(&value), &size) != ERROR_SUCCESS)
        fail("Failed to get data for ", name);
    if (type != REG_DWORD)
        fail("Invalid data type for ", name);
    return value;
}

void Registry::writeString(const std::string &name, const std::string &value) {
    if (!impl_->key ||
        RegSetValueExA(impl_->key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        fail("Failed to set data for ", name);
}

void Registry::writeInteger(const std::string &name, std::int32_t value) {
    if (!impl_->key || RegSetValueExA(impl_->key, name.c_str(), 0, REG_DWORD,
                                      reinterpret_cast<const BYTE *>(&value), sizeof value) != ERROR_SUCCESS)
        fail("Failed to set data for ", name);
}

} // namespace kvl::platform

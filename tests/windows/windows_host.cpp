#include "windows_host.h"

#include <windows.h>

#include <stdexcept>

#include "host/host_settings.h"
#include "support/file_content.h"

namespace kvl::test {

namespace {

std::string hostKey() { return host::hostKeyPath(host::kHostVersion).substr(1); }

HKEY createKey(HKEY root) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, hostKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the host key");
    return key;
}

void setValue(HKEY root, const std::string &name, DWORD type, const void *data, DWORD size) {
    HKEY key = createKey(root);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
}

} // namespace

WindowsHost::WindowsHost() {
    deleteKeys();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "kvl-host-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
}

WindowsHost::~WindowsHost() {
    deleteKeys();
    const std::string command = "cmd /c rmdir /s /q \"" + folder_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = command;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

void WindowsHost::deleteKeys() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteTreeA(root, "SOFTWARE\\Varnel");
}

std::string WindowsHost::filterFile() const {
    return folder_.substr(0, folder_.size() - 1) + host::kFilterSuffix;
}

void WindowsHost::install(const std::string &language) {
    const std::string directory = folder_.substr(0, folder_.size() - 1);
    setValue(HKEY_LOCAL_MACHINE, "Directory", REG_SZ, directory.c_str(), DWORD(directory.size() + 1));
    setValue(HKEY_LOCAL_MACHINE, "Language", REG_SZ, language.c_str(), DWORD(language.size() + 1));
}

void WindowsHost::installComplete(const std::string &language) {
    install(language);
    for (const char *name : {"CtrlWindow", "AutoSaveDLG", "HideOldMdl"})
        setUserInteger(name, 0);
    for (const char *name : {"LastANL", "ANLPath", "AviPath", "LuaExtEd"})
        setUserString(name, "C:\\KVL\\" + std::string(name));
    setUserInteger("MaxObj", 1000);
    writeFilter("1");
}

void WindowsHost::setUserString(const std::string &name, const std::string &value) {
    setValue(HKEY_CURRENT_USER, name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

void WindowsHost::setUserInteger(const std::string &name, unsigned long value) {
    const DWORD data = value;
    setValue(HKEY_CURRENT_USER, name, REG_DWORD, &data, sizeof data);
}

void WindowsHost::writeFilter(const std::string &defaultSetting) {
    std::string folder = filterFile();
    for (std::string::size_type at = folder_.size(); (at = folder.find('\\', at)) != std::string::npos; ++at)
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    writeFile(filterFile(), "[" + std::string(host::kFilterSection) + "]\r\n" + host::kFilterKey + "=" +
                                defaultSetting + "\r\n");
}

WindowsHost::Stored WindowsHost::userValue(const std::string &name) {
    Stored stored;
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, hostKey().c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     data, &size) == ERROR_SUCCESS)
        stored = {type, std::string(data, size)};
    return stored;
}

} // namespace kvl::test

#pragma once

#include <string>

namespace kvl::test {

// The host installed for one test in the registry Wine gives a Windows program: the install key in
// the 64-bit view of HKLM naming a scratch folder under the temporary folder, the user key in HKCU,
// and the filter file in the install folder. Both keys are deleted before and after.
class WindowsHost {
public:
    WindowsHost();
    ~WindowsHost();
    WindowsHost(const WindowsHost &) = delete;
    WindowsHost &operator=(const WindowsHost &) = delete;

    const std::string &folder() const { return folder_; } // ends in '\'
    std::string filterFile() const;

    void install(const std::string &language = "ENG");
    // The install key, every user value a load needs, and the filter file with DefaultSetting 1.
    void installComplete(const std::string &language = "ENG");
    void setUserString(const std::string &name, const std::string &value);
    void setUserInteger(const std::string &name, unsigned long value);
    void writeFilter(const std::string &defaultSetting);

    // The stored value's type (REG_SZ, REG_DWORD, ...) and bytes; type 0 when it is missing.
    struct Stored {
        unsigned long type = 0;
        std::string bytes;
    };
    static Stored userValue(const std::string &name);

private:
    static void deleteKeys();
    std::string folder_;
};

} // namespace kvl::test

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_prefix.h"

namespace kvl::host::test {

// A throw-away prefix with the host installed at C:\KVL, its filter file's folder made.
class HostPrefix : public kvl::test::TempPrefix {
public:
    static constexpr const char *kInstallDirectory = "C:\\KVL";
    static constexpr const char *kFilterWindowsPath =
        "C:\\KVL\\Resourcen\\Categories\\Filters\\deprecated_models.inf";

    std::string filterFile() const {
        return driveC() + "/KVL/Resourcen/Categories/Filters/deprecated_models.inf";
    }
    void makeFilterFolder() const {
        std::filesystem::create_directories(driveC() + "/KVL/Resourcen/Categories/Filters");
    }
    void writeFilter(const std::string &value) const {
        makeFilterFolder();
        writeFile(filterFile(), "[deprecated_models_001]\r\nDefaultSetting=" + value + "\r\n");
    }
    void installHost(const std::string &language = "ENG") {
        addSystemKey(kvl::test::kHostKeyWine,
                     {"\"Directory\"=\"C:\\\\KVL\"", "\"Language\"=\"" + language + "\""});
    }
};

} // namespace kvl::host::test

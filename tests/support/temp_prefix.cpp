#include "support/temp_prefix.h"

#include "support/file_content.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace kvl::test {

namespace {
const char *const kSystemHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
const char *const kUserHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n";
} // namespace

TempPrefix::TempPrefix() {
    std::string pattern = (fs::temp_directory_path() / "kvl-prefix-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    fs::create_directories(driveC());
    fs::create_directories(path_ + "/dosdevices");
    fs::create_directory_symlink("../drive_c", path_ + "/dosdevices/c:");
    fs::create_directory_symlink("/", path_ + "/dosdevices/z:");
    writeFile(systemReg(), kSystemHeader);
    writeFile(userReg(), kUserHeader);
    if (const char *previous = std::getenv("WINEPREFIX")) {
        hadPreviousPrefix_ = true;
        previousPrefix_ = previous;
    }
    setenv("WINEPREFIX", path_.c_str(), 1);
}

TempPrefix::~TempPrefix() {
    if (hadPreviousPrefix_)
        setenv("WINEPREFIX", previousPrefix_.c_str(), 1);
    else
        unsetenv("WINEPREFIX");
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

void TempPrefix::addSystemKey(const std::string &keyPath, const std::vector<std::string> &valueLines) {
    addKey(systemReg(), keyPath, valueLines);
}

void TempPrefix::addUserKey(const std::string &keyPath, const std::vector<std::string> &valueLines) {
    addKey(userReg(), keyPath, valueLines);
}

void TempPrefix::addKey(const std::string &hive, const std::string &keyPath,
                        const std::vector<std::string> &lines) {
    std::ostringstream key;
    key << "\n[" << keyPath << "] 1733700000\n#time=1db4a1b2c3d4e5f\n";
    for (const auto &line : lines)
        key << line << "\n";
    writeFile(hive, readFile(hive) + key.str());
}

std::string TempPrefix::readFile(const std::string &path) { return test::readFile(path); }

void TempPrefix::writeFile(const std::string &path, const std::string &content) {
    test::writeFile(path, content);
}

} // namespace kvl::test

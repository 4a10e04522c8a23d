#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kvl::test {

// A throw-away Wine prefix in a temporary folder: system.reg and user.reg in Wine's format
// (win64), dosdevices/c: -> drive_c and z: -> /. While it lives, WINEPREFIX points at it.
class TempPrefix {
public:
    TempPrefix();
    ~TempPrefix();
    TempPrefix(const TempPrefix &) = delete;
    TempPrefix &operator=(const TempPrefix &) = delete;

    const std::string &path() const { return path_; }
    std::string systemReg() const { return path_ + "/system.reg"; }
    std::string userReg() const { return path_ + "/user.reg"; }
    std::string driveC() const { return path_ + "/drive_c"; }

    // Adds a key with value lines exactly as Wine writes them, e.g. "\"Directory\"=\"C:\\\\KVL\""
    // and "\"MaxObj\"=dword:000003e8". keyPath as Wine writes it: "Software\\\\Varnel\\\\KVL 17.00\\\\QTRX".
    void addSystemKey(const std::string &keyPath, const std::vector<std::string> &valueLines);
    void addUserKey(const std::string &keyPath, const std::vector<std::string> &valueLines);

    static std::string readFile(const std::string &path);
    static void writeFile(const std::string &path, const std::string &content);

private:
    void addKey(const std::string &hive, const std::string &keyPath, const std::vector<std::string> &lines);
    std::string path_;
    std::string previousPrefix_;
    bool hadPreviousPrefix_ = false;
};

// The host's key path in Wine's hive notation.
inline const char *const kHostKeyWine = "Software\\\\Varnel\\\\KVL 17.00\\\\QTRX";

} // namespace kvl::test

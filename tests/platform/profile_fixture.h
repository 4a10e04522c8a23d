#pragma once

#include <memory>
#include <string>

#include "platform/file_path.h"

namespace kvl::test {

// A throw-away folder for the profile and system contract tests. Names are plain file names inside
// it; hostPath() gives the path the platform interface takes (a Windows path of the prefix on
// Linux, a real Windows path on Windows), so both backends see the paths their callers use.
class ContractFolder {
public:
    ContractFolder();
    ~ContractFolder();
    ContractFolder(const ContractFolder &) = delete;
    ContractFolder &operator=(const ContractFolder &) = delete;

    std::string hostPath(const std::string &name) const;
    platform::FilePath file(const std::string &name) const { return platform::hostFile(hostPath(name)); }
    std::string read(const std::string &name) const;
    void write(const std::string &name, const std::string &content) const;
    bool exists(const std::string &name) const;
    void makeReadOnly(const std::string &name) const;
    void makeFolder(const std::string &name) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kvl::test

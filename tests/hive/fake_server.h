#pragma once

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/scoped_variable.h"

namespace kvl::test {

// A child process that holds the lock of a Wine server's folder for a prefix, as a live server does, and
// nothing more. `root` is the folder the server folders live in (".../.wine-<uid>" or Debian's
// "/tmp/<name>").
class FakeServer {
public:
    FakeServer(const std::string &root, const std::string &prefix) {
        struct stat info {};
        ::stat(prefix.c_str(), &info);
        char name[64];
        std::snprintf(name, sizeof name, "/server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                      static_cast<unsigned long long>(info.st_ino));
        folder_ = root + name;
        std::filesystem::create_directories(folder_);
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open((folder_ + "/lock").c_str(), O_RDWR | O_CREAT, 0600);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            const char byte = ::fcntl(fd, F_SETLK, &lock) == 0 ? 1 : 0;
            (void)!::write(ready[1], &byte, 1);
            for (;;)
                ::pause(); // until the parent ends it
        }
        ::close(ready[1]);
        char byte = 0;
        if (::read(ready[0], &byte, 1) != 1 || byte != 1)
            stop();
        ::close(ready[0]);
    }
    ~FakeServer() {
        stop();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    FakeServer(const FakeServer &) = delete;
    FakeServer &operator=(const FakeServer &) = delete;

    pid_t pid() const { return pid_; }
    const std::string &folder() const { return folder_; }

    // The server ends; its folder stays behind as a crashed server leaves it.
    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    std::string folder_;
    pid_t pid_ = -1;
};

// Where Debian's Wine keeps the prefix's server folders: /tmp/<name>, the name (unique to the prefix) written
// to <prefix>/wineserver. The folder goes with the object.
class DebianServerRoot {
public:
    explicit DebianServerRoot(const std::string &prefix) {
        const std::string name = "kvl-test-" + std::filesystem::path(prefix).filename().string();
        std::ofstream(prefix + "/wineserver") << name;
        path_ = "/tmp/" + name;
    }
    ~DebianServerRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    DebianServerRoot(const DebianServerRoot &) = delete;
    DebianServerRoot &operator=(const DebianServerRoot &) = delete;
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

// PATH replaced by one folder that holds, when given, a `wine` script logging its arguments; restored after.
class ToolPath {
public:
    explicit ToolPath(const std::string &wineScript = "") : folder_(scratchFolder()), path_("PATH", folder_) {
        if (!wineScript.empty()) {
            std::ofstream(folder_ + "/wine") << "#!/bin/sh\necho \"$*\" >> '" << calls() << "'\n"
                                             << wineScript << "\n";
            std::filesystem::permissions(folder_ + "/wine", std::filesystem::perms::owner_all);
        }
    }
    ~ToolPath() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ToolPath(const ToolPath &) = delete;
    ToolPath &operator=(const ToolPath &) = delete;

    std::string calls() const { return folder_ + "/calls"; }
    std::size_t callCount() const {
        std::ifstream log(calls());
        std::size_t lines = 0;
        for (std::string line; std::getline(log, line);)
            ++lines;
        return lines;
    }

private:
    static std::string scratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvl-path-XXXXXX").string();
        return ::mkdtemp(pattern.data()) ? pattern : "/nonexistent";
    }
    std::string folder_;
    ScopedVariable path_;
};

} // namespace kvl::test

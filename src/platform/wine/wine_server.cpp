#include "platform/wine/wine_server.h"

#include "platform/wine/atomic_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::platform {

namespace {

// The name Debian's Wine chose for the prefix; nothing when the file is missing or names no plain folder.
std::optional<std::string> debianServerRoot(const std::string &prefix) {
    // Read as every file of the prefix is: a FIFO in its place must not hold the program up.
    const auto content = readWholeFile(prefix + "/wineserver");
    if (!content)
        return std::nullopt;
    std::string name = content->substr(0, content->find('\n'));
    name.erase(name.find_last_not_of(" \t\r\n") + 1);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        return std::nullopt;
    return name;
}

// The process that holds the lock, asked without taking it.
std::optional<pid_t> lockHolder(const std::string &lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::fcntl(fd, F_GETLK, &lock) == 0 &&
                      lock.l_type != F_UNLCK;
    ::close(fd);
    if (!held)
        return std::nullopt;
    return lock.l_pid;
}

} // namespace

std::vector<pid_t> prefixServers(const std::string &prefix, const std::string &tmp) {
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0)
        return {};
    char folder[64];
    std::snprintf(folder, sizeof folder, "/server-%llx-%llx/lock",
                  static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino));
    std::vector<std::string> roots = {tmp + "/.wine-" + std::to_string(::getuid())};
    if (const auto name = debianServerRoot(prefix); name && roots.front() != tmp + "/" + *name)
        roots.push_back(tmp + "/" + *name);
    std::vector<pid_t> servers;
    for (const std::string &root : roots)
        if (const auto pid = lockHolder(root + folder))
            servers.push_back(*pid);
    return servers;
}

std::vector<pid_t> prefixServers(const std::string &prefix) {
    std::vector<pid_t> servers = prefixServers(prefix, "/tmp");
    if (const char *tmp = std::getenv("TMPDIR"); tmp && *tmp == '/')
        for (const pid_t server : prefixServers(prefix, tmp))
            if (std::find(servers.begin(), servers.end(), server) == servers.end())
                servers.push_back(server);
    return servers;
}

} // namespace kvl::platform

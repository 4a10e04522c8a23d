#include "platform/wine/reg_tool.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/wine/wine_wait.h"

extern char **environ;

namespace kvl::platform {

namespace {

// The program's environment with the prefix set, and Wine's debug output off (it is discarded anyway).
std::vector<std::string> toolEnvironment(const std::string &prefix) {
    std::vector<std::string> entries;
    for (char **entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "WINEPREFIX=", 11) != 0 && std::strncmp(*entry, "WINEDEBUG=", 10) != 0)
            entries.emplace_back(*entry);
    entries.push_back("WINEPREFIX=" + prefix);
    entries.emplace_back("WINEDEBUG=-all");
    return entries;
}

std::vector<char *> pointers(std::vector<std::string> &strings) {
    std::vector<char *> result;
    result.reserve(strings.size() + 1);
    for (std::string &s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

// Wine's loader starts helpers of its own (a console, services); all of them are in the tool's process
// group, and all of them go when the operation stops.
[[noreturn]] void stopTool(pid_t group, OperationLimit::Stop why, const std::string &prefix) {
    ::kill(-group, SIGKILL);
    int status = 0;
    while (::waitpid(group, &status, 0) < 0 && errno == EINTR) {
    }
    failStoppedWait(why, prefix);
}

bool succeeded(pid_t child, const std::string &prefix) {
    std::optional<OperationLimit> own;
    const OperationLimit &limit = waitLimit(own);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0 && errno != EINTR)
            return false;
        if (const OperationLimit::Stop why = limit.stop(); why != OperationLimit::Stop::None)
            stopTool(child, why, prefix);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

bool runWineReg(const std::string &prefix, const std::vector<std::string> &arguments) {
    std::vector<std::string> argv = {"wine", "reg"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = toolEnvironment(prefix);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY,
                                         0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int error = posix_spawnp(&child, "wine", &actions, &attributes, pointers(argv).data(),
                                   pointers(environment).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 && succeeded(child, prefix);
}

} // namespace kvl::platform

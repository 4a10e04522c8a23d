#include "platform/wine/reg_tool.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace kvl::platform {

namespace {

// With the server up one call takes well under a second; a tool still busy after this waits for
// something (a dialog, a stuck server) that will not come.
constexpr auto kTimeLimit = std::chrono::seconds(30);

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

bool succeeded(pid_t child) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return false;
        }
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
    pid_t child = 0;
    const int error =
        posix_spawnp(&child, "wine", &actions, nullptr, pointers(argv).data(), pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 && succeeded(child);
}

} // namespace kvl::platform

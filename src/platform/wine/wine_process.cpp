#include "platform/wine/wine_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/wine/wine_wait.h"

extern char **environ;

namespace kvl::platform {

namespace {

// The program's environment with the prefix set, and Wine's debug output off (it is discarded anyway).
std::vector<std::string> wineEnvironment(const std::string &prefix) {
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

} // namespace

std::optional<pid_t> startWine(const std::string &prefix, const std::vector<std::string> &arguments,
                               int input, int output) {
    std::vector<std::string> argv = {"wine"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = wineEnvironment(prefix);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int error = posix_spawnp(&child, "wine", &actions, &attributes, pointers(argv).data(),
                                   pointers(environment).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? std::optional(child) : std::nullopt;
}

void endWineGroup(pid_t group) {
    ::kill(-group, SIGKILL);
    int status = 0;
    while (::waitpid(group, &status, 0) < 0 && errno == EINTR) {
    }
}

void stopWineGroup(pid_t group, OperationLimit::Stop why, const std::string &prefix) {
    endWineGroup(group);
    failStoppedWait(why, prefix);
}

} // namespace kvl::platform

#include "platform/system.h"

#include "platform/wine/host_path.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace kvl::platform {

namespace {

bool isAddress(const std::string &target) {
    const auto colon = target.find("://");
    return target.starts_with("mailto:") || (colon != std::string::npos && colon > 1);
}

// Runs a program without waiting for it and without leaving a zombie: the intermediate child exits
// at once, so the opener is adopted by init. A missing opener only ends that grandchild.
void startDetached(const char *program, const std::string &argument) {
    const pid_t child = ::fork();
    if (child < 0)
        return;
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            const int devNull = ::open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                ::dup2(devNull, STDIN_FILENO);
                ::dup2(devNull, STDOUT_FILENO);
                ::dup2(devNull, STDERR_FILENO);
            }
            ::execlp(program, program, argument.c_str(), static_cast<char *>(nullptr));
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

} // namespace

std::string executableFolder() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return executable.parent_path().string() + "/";
}

bool fileExists(const FilePath &file) {
    std::error_code error;
    return std::filesystem::is_regular_file(nativeFileOf(file), error);
}

void shellOpen(const std::string &target) {
    startDetached("xdg-open", target.starts_with('/') || isAddress(target) ? target : nativePath(target));
}

} // namespace kvl::platform

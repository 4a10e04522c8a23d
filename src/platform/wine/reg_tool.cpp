#include "platform/wine/reg_tool.h"

#include <chrono>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/wine/wine_process.h"
#include "platform/wine/wine_wait.h"

namespace kvl::platform {

namespace {

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
            stopWineGroup(child, why, prefix);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

bool runWineReg(const std::string &prefix, const std::vector<std::string> &arguments) {
    std::vector<std::string> toolArguments = {"reg"};
    toolArguments.insert(toolArguments.end(), arguments.begin(), arguments.end());
    const int nothing = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nothing < 0)
        return false;
    const auto child = startWine(prefix, toolArguments, nothing, nothing);
    ::close(nothing);
    return child && succeeded(*child, prefix);
}

} // namespace kvl::platform

#include "platform/wine/registry_agent.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include "platform/wine/wine_process.h"
#include "platform/wine/wine_server.h"
#include "platform/wine/wine_wait.h"

namespace fs = std::filesystem;

namespace kvl::platform {

namespace {

constexpr int kPollMilliseconds = 20;

// KVL_REGISTRY_AGENT names the agent (empty: none); else it lies beside the program (the build tree) or
// in the program's library folder (installed).
std::optional<std::string> agentProgram() {
    if (const char *given = std::getenv("KVL_REGISTRY_AGENT"))
        return *given ? std::optional<std::string>(given) : std::nullopt;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    for (const fs::path &candidate :
         {folder / "kvl-registry-agent.exe", folder / "../lib/kvl-settings-editor/kvl-registry-agent.exe"})
        if (fs::is_regular_file(candidate, error))
            return fs::weakly_canonical(candidate, error).string();
    return std::nullopt;
}

// Writes to an agent that has ended must not end the program with SIGPIPE: the signal is held back
// for the calling thread and taken away again.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~PipeSignalHeld() {
        const timespec none{};
        while (sigtimedwait(&pipe_, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld &) = delete;
    PipeSignalHeld &operator=(const PipeSignalHeld &) = delete;

private:
    sigset_t pipe_{};
    sigset_t previous_{};
};

class AgentProcess {
public:
    AgentProcess(std::string prefix, pid_t server) : prefix_(std::move(prefix)), server_(server) {}
    ~AgentProcess() {
        for (const int fd : {toAgent_, fromAgent_})
            if (fd >= 0)
                ::close(fd);
        if (pid_ > 0)
            endWineGroup(pid_);
    }
    AgentProcess(const AgentProcess &) = delete;
    AgentProcess &operator=(const AgentProcess &) = delete;

    // Starts the agent and greets it; false when it is no agent of this version of ours, serving
    // `server`.
    bool start(const std::string &program) {
        int input[2] = {-1, -1};
        int output[2] = {-1, -1};
        if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
            for (const int fd : {input[0], input[1], output[0], output[1]})
                if (fd >= 0)
                    ::close(fd);
            return false;
        }
        toAgent_ = input[1];
        fromAgent_ = output[0];
        ::fcntl(toAgent_, F_SETFL, O_NONBLOCK);
        const auto child = startWine(prefix_, {program}, input[0], output[1]);
        ::close(input[0]);
        ::close(output[1]);
        if (!child)
            return false;
        pid_ = *child;
        const auto reply = exchange(
            agent::Writer().number(std::uint32_t(agent::Request::Hello)).number(agent::kVersion).frame());
        // A wine of another build would have started a server of its own.
        return reply && agent::isGreeting(*reply) && prefixServers(prefix_) == std::vector<pid_t>{server_};
    }

    // Sends a request and returns the payload of its answer; nothing when the agent has gone.
    std::optional<std::string> exchange(const std::string &frame) {
        std::optional<OperationLimit> own;
        const OperationLimit &limit = waitLimit(own);
        if (!send(frame, limit))
            return std::nullopt;
        for (; unanswered_ > 0; --unanswered_)
            if (!receive(limit))
                return std::nullopt;
        return receive(limit);
    }

    // Sends a request whose answer nobody waits for; the next exchange takes it first.
    void post(const std::string &frame) {
        // A frame this small goes into the pipe whole or not at all.
        const PipeSignalHeld held;
        if (::write(toAgent_, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size()))
            ++unanswered_;
    }

    pid_t pid() const { return pid_; }
    const std::string &prefix() const { return prefix_; }
    pid_t server() const { return server_; }

private:
    // Waits for the descriptor within the limit; at the limit the agent and its group end.
    bool ready(int fd, short events, const OperationLimit &limit) {
        for (;;) {
            pollfd wanted{fd, events, 0};
            const int result = ::poll(&wanted, 1, kPollMilliseconds);
            if (result > 0)
                return true;
            if (result < 0 && errno != EINTR)
                return false;
            if (const OperationLimit::Stop why = limit.stop(); why != OperationLimit::Stop::None) {
                const pid_t group = std::exchange(pid_, 0);
                stopWineGroup(group, why, prefix_);
            }
        }
    }

    bool send(std::string_view bytes, const OperationLimit &limit) {
        const PipeSignalHeld held;
        while (!bytes.empty()) {
            if (!ready(toAgent_, POLLOUT, limit))
                return false;
            const ssize_t written = ::write(toAgent_, bytes.data(), bytes.size());
            if (written < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
        }
        return true;
    }

    std::optional<std::string> receiveExactly(std::size_t size, const OperationLimit &limit) {
        std::string bytes(size, '\0');
        for (std::size_t done = 0; done < size;) {
            if (!ready(fromAgent_, POLLIN, limit))
                return std::nullopt;
            const ssize_t got = ::read(fromAgent_, bytes.data() + done, size - done);
            if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
                return std::nullopt;
            done += static_cast<std::size_t>(std::max<ssize_t>(got, 0));
        }
        return bytes;
    }

    std::optional<std::string> receive(const OperationLimit &limit) {
        const auto header = receiveExactly(4, limit);
        const auto length = header ? agent::payloadLength(*header) : std::nullopt;
        return length ? receiveExactly(*length, limit) : std::nullopt;
    }

    std::string prefix_;
    pid_t server_;
    pid_t pid_ = 0;
    int toAgent_ = -1;
    int fromAgent_ = -1;
    unsigned unanswered_ = 0;
};

// One agent for the program, used by one step at a time.
std::mutex agentMutex;
std::unique_ptr<AgentProcess> runningAgent;
// The server for which the agent would not start: not tried again while it runs.
std::optional<std::pair<std::string, pid_t>> refusedBy;

// A reply, or nothing with the agent gone. A stopped wait ends the agent and raises.
std::optional<std::string> exchange(const std::string &frame) {
    std::optional<std::string> reply;
    try {
        reply = runningAgent->exchange(frame);
    } catch (...) {
        runningAgent.reset();
        throw;
    }
    if (!reply)
        runningAgent.reset();
    return reply;
}

AgentProcess *agentFor(const std::string &prefix, pid_t server) {
    if (runningAgent && (runningAgent->prefix() != prefix || runningAgent->server() != server))
        runningAgent.reset();
    if (runningAgent)
        return runningAgent.get();
    const auto program = agentProgram();
    const auto wanted = std::pair(prefix, server);
    if (!program || refusedBy == wanted)
        return nullptr;
    auto started = std::make_unique<AgentProcess>(prefix, server);
    if (!started->start(*program)) {
        refusedBy = wanted;
        return nullptr;
    }
    runningAgent = std::move(started);
    return runningAgent.get();
}

bool servedBy(const AgentKey &key) { return runningAgent && runningAgent->pid() == key.agent; }

} // namespace

std::optional<AgentRead> readThroughAgent(const std::string &prefix, pid_t server, RootKey root,
                                          const std::string &path, Access access, View view) {
    const std::lock_guard lock(agentMutex);
    const AgentProcess *process = agentFor(prefix, server);
    if (!process)
        return std::nullopt;
    const pid_t pid = process->pid();
    const auto opened = exchange(agent::Writer()
                                     .number(std::uint32_t(agent::Request::Open))
                                     .number(std::uint32_t(root))
                                     .number(std::uint32_t(access))
                                     .number(std::uint32_t(view))
                                     .bytes(path)
                                     .frame());
    if (!opened)
        return std::nullopt;
    agent::Reader openReply(*opened);
    const auto status = openReply.number(), handle = openReply.number();
    if (!openReply.complete())
        return std::nullopt;
    if (*status != 0)
        return AgentRead{*status, {}, {}};
    const auto read =
        exchange(agent::Writer().number(std::uint32_t(agent::Request::Read)).number(*handle).frame());
    if (!read)
        return std::nullopt;
    agent::Reader readReply(*read);
    const auto readStatus = readReply.number();
    auto values = readReply.values();
    if (!readReply.complete() || *readStatus != 0)
        return std::nullopt;
    return AgentRead{0, {pid, *handle}, std::move(*values)};
}

std::optional<AgentWrite> writeThroughAgent(const AgentKey &key, const std::vector<agent::Value> &values) {
    const std::lock_guard lock(agentMutex);
    if (!servedBy(key))
        return std::nullopt;
    const auto written = exchange(agent::Writer()
                                      .number(std::uint32_t(agent::Request::Write))
                                      .number(key.handle)
                                      .values(values)
                                      .frame());
    if (!written)
        return std::nullopt;
    agent::Reader reply(*written);
    const auto status = reply.number(), failed = reply.number();
    if (!reply.complete() || (*status != 0 && *failed >= values.size()))
        return std::nullopt;
    return AgentWrite{*status, *failed};
}

void closeThroughAgent(const AgentKey &key) {
    const std::lock_guard lock(agentMutex);
    if (servedBy(key))
        runningAgent->post(
            agent::Writer().number(std::uint32_t(agent::Request::Close)).number(key.handle).frame());
}

std::optional<pid_t> registryAgentProcess() {
    const std::lock_guard lock(agentMutex);
    return runningAgent ? std::optional(runningAgent->pid()) : std::nullopt;
}

void endRegistryAgent() {
    const std::lock_guard lock(agentMutex);
    runningAgent.reset();
    refusedBy.reset();
}

} // namespace kvl::platform

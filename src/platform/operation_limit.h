#pragma once

#include <atomic>
#include <chrono>
#include <functional>

#include "platform/error.h"

namespace kvl::platform {

// What ends an operation (a load, an Apply) that waits on other programs: one deadline for the whole of
// it, or the user, who may cancel it at any time from another thread. Whatever waits on another program
// asks it; the operation's own code only runs.
class OperationLimit {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    enum class Stop { None, Deadline, Cancelled };

    explicit OperationLimit(Clock::duration budget, Now now = Clock::now);
    OperationLimit(const OperationLimit &) = delete;
    OperationLimit &operator=(const OperationLimit &) = delete;

    void cancel() { cancelled_ = true; }
    // Why the operation must stop now; a cancel wins over the deadline.
    Stop stop() const;

private:
    Now now_;
    Clock::time_point deadline_;
    std::atomic<bool> cancelled_{false};
};

// How long a load or an Apply may wait on Wine's tools in all. With a server that answers, one call takes
// well under a second; a server that has not answered by then will not.
inline constexpr std::chrono::seconds kOperationBudget{10};

// Makes a limit the one of the operation the calling thread runs, for the scope's lifetime. A wait outside
// any such scope takes a limit of its own with kOperationBudget.
class OperationScope {
public:
    explicit OperationScope(OperationLimit &limit);
    ~OperationScope();
    OperationScope(const OperationScope &) = delete;
    OperationScope &operator=(const OperationScope &) = delete;

    static OperationLimit *current();

private:
    OperationLimit *previous_;
};

// Raised where an operation stops because the user cancelled it. What was done before stays done.
class Cancelled : public Error {
public:
    Cancelled() : Error("Cancelled") {}
};

} // namespace kvl::platform

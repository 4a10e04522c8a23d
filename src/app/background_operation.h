#pragma once

#include "platform/operation_limit.h"

#include <QObject>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

namespace kvl::app {

// Runs one operation that may wait on other programs (a load or Apply through Wine's tools) on a worker
// thread, under one deadline for the whole of it (platform::OperationLimit), and hands its outcome back on
// the interface's thread. The worker must only gather or store values, never touch a widget; whatever
// waits on another program inside it ends when the deadline passes or cancel() is called.
class BackgroundOperation : public QObject {
    Q_OBJECT
public:
    using Clock = platform::OperationLimit::Clock;
    explicit BackgroundOperation(QObject *parent = nullptr,
                                 Clock::duration budget = platform::kOperationBudget,
                                 platform::OperationLimit::Now now = Clock::now);
    // A running operation is cancelled and its worker waited for; its outcome is dropped.
    ~BackgroundOperation() override;

    // `finish` runs on the interface's thread once `work` has ended, with what it raised (null when
    // nothing). False, and nothing started, while another operation runs.
    bool start(std::function<void()> work, std::function<void(std::exception_ptr)> finish);
    bool running() const { return worker_.joinable(); }
    // Asks the running operation to stop at its next wait; it then ends with platform::Cancelled.
    void cancel();

private:
    Clock::duration budget_;
    platform::OperationLimit::Now now_;
    std::unique_ptr<platform::OperationLimit> limit_;
    std::thread worker_;
};

} // namespace kvl::app

#include "app/background_operation.h"

#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <optional>

namespace kvl::app {
namespace {

using platform::OperationLimit;
using platform::OperationScope;
using Clock = OperationLimit::Clock;
using namespace std::chrono_literals;

// A clock the test moves by hand, read from the worker thread.
struct FakeClock {
    std::atomic<Clock::rep> ticks{0};
    OperationLimit::Now now() {
        return [this] { return Clock::time_point(Clock::duration(ticks.load())); };
    }
    void pass(Clock::duration time) { ticks += time.count(); }
};

// Waits as a call of Wine's tools does on a server that never answers: until its operation must stop.
void waitForever() {
    for (;;) {
        switch (OperationScope::current()->stop()) {
        case OperationLimit::Stop::None:
            QThread::msleep(1);
            continue;
        case OperationLimit::Stop::Deadline:
            throw Error("deadline");
        case OperationLimit::Stop::Cancelled:
            throw platform::Cancelled();
        }
    }
}

// What the finish step was handed, and on which thread it ran.
struct Outcome {
    std::optional<std::string> error; // empty text: none
    bool onInterfaceThread = false;
};

std::function<void(std::exception_ptr)> record(std::optional<Outcome> &outcome) {
    return [&outcome](std::exception_ptr error) {
        Outcome seen{"", QThread::currentThread() == qApp->thread()};
        try {
            if (error)
                std::rethrow_exception(error);
        } catch (const std::exception &e) {
            seen.error = e.what();
        }
        outcome = seen;
    };
}

TEST(BackgroundOperation, AnOperationEndsByItselfAtTheDeadlineOrByCancel) {
    enum class End { Finishes, Deadline, Cancel };
    struct Case {
        End end;
        const char *error;
    };
    for (const Case &c :
         {Case{End::Finishes, ""}, Case{End::Deadline, "deadline"}, Case{End::Cancel, "Cancelled"}}) {
        FakeClock clock;
        BackgroundOperation operation(nullptr, 10s, clock.now());
        std::optional<Outcome> outcome;
        ASSERT_TRUE(operation.start(c.end == End::Finishes ? std::function<void()>([] {}) : waitForever,
                                    record(outcome)));
        EXPECT_FALSE(operation.start([] {}, [](std::exception_ptr) {})) << "one at a time";
        clock.pass(9s);
        if (c.end == End::Deadline)
            clock.pass(1s);
        if (c.end == End::Cancel)
            operation.cancel();
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 30000);
        EXPECT_EQ(outcome->error, c.error);
        EXPECT_TRUE(outcome->onInterfaceThread);
        EXPECT_FALSE(operation.running());
    }
}

TEST(BackgroundOperation, GoingAwayCancelsTheRunningOperationAndDropsItsOutcome) {
    std::atomic<bool> ended = false;
    std::optional<Outcome> outcome;
    {
        BackgroundOperation operation(nullptr, 1h);
        operation.start(
            [&ended] {
                try {
                    waitForever();
                } catch (...) {
                    ended = true;
                    throw;
                }
            },
            record(outcome));
    }
    EXPECT_TRUE(ended);
    QCoreApplication::processEvents();
    EXPECT_FALSE(outcome.has_value());
}

} // namespace
} // namespace kvl::app

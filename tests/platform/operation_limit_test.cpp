#include "platform/operation_limit.h"

#include <gtest/gtest.h>

namespace kvl::platform {
namespace {

using Clock = OperationLimit::Clock;
using Stop = OperationLimit::Stop;
using namespace std::chrono_literals;

TEST(OperationLimit, TheDeadlineComesWithTheClockAndACancelWinsOverIt) {
    struct Case {
        Clock::duration elapsed;
        bool cancelled;
        Stop expected;
    };
    for (const Case &c : {Case{9s, false, Stop::None}, Case{10s, false, Stop::Deadline},
                          Case{0s, true, Stop::Cancelled}, Case{11s, true, Stop::Cancelled}}) {
        Clock::time_point now{};
        OperationLimit limit(10s, [&now] { return now; });
        now += c.elapsed;
        if (c.cancelled)
            limit.cancel();
        EXPECT_EQ(limit.stop(), c.expected) << c.elapsed.count() << " cancelled " << c.cancelled;
    }
}

TEST(OperationLimit, AScopeMakesItTheThreadsLimitUntilItEnds) {
    OperationLimit outer(1s), inner(1s);
    EXPECT_EQ(OperationScope::current(), nullptr);
    {
        const OperationScope first(outer);
        {
            const OperationScope second(inner);
            EXPECT_EQ(OperationScope::current(), &inner);
        }
        EXPECT_EQ(OperationScope::current(), &outer);
    }
    EXPECT_EQ(OperationScope::current(), nullptr);
}

} // namespace
} // namespace kvl::platform

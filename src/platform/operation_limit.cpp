#include "platform/operation_limit.h"

namespace kvl::platform {

namespace {
thread_local OperationLimit *currentLimit = nullptr;
}

OperationLimit::OperationLimit(Clock::duration budget, Now now)
    : now_(std::move(now)), deadline_(now_() + budget) {}

OperationLimit::Stop OperationLimit::stop() const {
    if (cancelled_)
        return Stop::Cancelled;
    return now_() >= deadline_ ? Stop::Deadline : Stop::None;
}

OperationScope::OperationScope(OperationLimit &limit) : previous_(currentLimit) { currentLimit = &limit; }

OperationScope::~OperationScope() { currentLimit = previous_; }

OperationLimit *OperationScope::current() { return currentLimit; }

} // namespace kvl::platform

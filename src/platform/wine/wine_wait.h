#pragma once

#include <optional>
#include <string>

#include "platform/operation_limit.h"

namespace kvl::platform {

// What every wait on Wine (its tools, anything else that asks its server) keeps to.

// The calling thread's operation limit, or, outside any operation, `own` made with kOperationBudget.
const OperationLimit &waitLimit(std::optional<OperationLimit> &own);

// Raises what a wait stopped for, once the wait has ended what it started: platform::Cancelled, or
// kvl::TranslatedError (WineNotAnswering) naming the prefix.
[[noreturn]] void failStoppedWait(OperationLimit::Stop why, const std::string &prefix);

} // namespace kvl::platform

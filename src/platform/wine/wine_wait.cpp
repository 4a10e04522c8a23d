#include "platform/wine/wine_wait.h"

#include "platform/cp1252.h"

namespace kvl::platform {

const OperationLimit &waitLimit(std::optional<OperationLimit> &own) {
    if (const OperationLimit *limit = OperationScope::current())
        return *limit;
    return own.emplace(kOperationBudget);
}

void failStoppedWait(OperationLimit::Stop why, const std::string &prefix) {
    if (why == OperationLimit::Stop::Cancelled)
        throw Cancelled();
    throw TranslatedError(TranslatedError::Reason::WineNotAnswering, utf8ToCp1252(prefix));
}

} // namespace kvl::platform

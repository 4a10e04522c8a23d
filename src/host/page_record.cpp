#include "host/page_record.h"

namespace kvl::host {

static_assert(pageValue(Flag::ShowAlwaysDeprecated) == PageValue::ShowAlwaysDeprecated);
static_assert(pageValue(PathField::LuaEditor) == PageValue::LuaEditor);

void PageRecord::loadStarted() {
    complete_ = false;
    loaded_.reset();
    changed_.reset();
    unsaved_ = false;
}

bool PageRecord::mayStore(PageValue value) const {
    const auto index = static_cast<std::size_t>(value);
    return complete_ || loaded_.test(index) || changed_.test(index);
}

} // namespace kvl::host

#include "host/stored_values.h"

#include "host/integer_text.h"
#include "platform/error.h"

namespace kvl::host {

std::string storedPathText(const HostPage &page, PathField field) {
    const bool resetStoresEmpty = field == PathField::LastLayout || field == PathField::LuaEditor;
    return resetStoresEmpty && page.resetChecked(field) ? std::string() : page.pathText(field);
}

std::int32_t storedMaxObj(HostPage &page) {
    if (page.maxObjText().empty())
        page.setMaxObjText("0");
    const std::string text = page.maxObjText();
    const auto value = parseIntegerText(text);
    if (!value)
        throw Error(invalidIntegerMessage(text));
    return *value;
}

} // namespace kvl::host

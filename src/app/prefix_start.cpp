#include "app/prefix_start.h"

#include <algorithm>

namespace kvl::app {

using kvl::platform::FoundPrefix;

std::vector<FoundPrefix> choiceOrder(std::vector<FoundPrefix> found, const std::string &lastPath) {
    const auto rank = [&lastPath](const FoundPrefix &prefix) {
        return prefix.path == lastPath ? 0 : prefix.holdsHost ? 1 : 2;
    };
    std::stable_sort(found.begin(), found.end(),
                     [&rank](const FoundPrefix &a, const FoundPrefix &b) { return rank(a) < rank(b); });
    return found;
}

StartPrefix decideStartPrefix(const std::optional<std::string> &named, const std::vector<FoundPrefix> &found,
                              const kvl::prefs::PrefixChoice &last) {
    if (named)
        return {StartPrefix::Kind::Named, {{}, {}, *named, false, {}}, {}};
    std::vector<FoundPrefix> ordered = choiceOrder(found, last.path);
    const auto holds = [](const FoundPrefix &prefix) { return prefix.holdsHost; };
    const auto first = std::find_if(ordered.begin(), ordered.end(), holds);
    if (first == ordered.end())
        return {StartPrefix::Kind::NoneFound, {}, std::move(ordered)};
    // The only one that holds the host, or the remembered one while it still does.
    if (std::count_if(ordered.begin(), ordered.end(), holds) == 1 ||
        (last.remember && first->path == last.path))
        return {StartPrefix::Kind::Open, *first, std::move(ordered)};
    return {StartPrefix::Kind::Choose, {}, std::move(ordered)};
}

} // namespace kvl::app

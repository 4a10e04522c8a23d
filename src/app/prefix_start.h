#pragma once

#include "platform/prefixes.h"
#include "prefs/prefix_choice.h"

#include <optional>
#include <string>
#include <vector>

namespace kvl::app {

// Which Wine prefix the program opens at start: one the user named (--prefix, else WINEPREFIX) wins;
// else the one prefix that holds the host, or the remembered one of several; several without a remembered
// choice go to the chooser; none to the message that the host was not found.
struct StartPrefix {
    enum class Kind { Named, Open, Choose, NoneFound };
    Kind kind = Kind::NoneFound;
    kvl::platform::FoundPrefix prefix;               // Named and Open: the one to open
    std::vector<kvl::platform::FoundPrefix> choices; // Choose: the chooser's list, in its order
};

StartPrefix decideStartPrefix(const std::optional<std::string> &named,
                              const std::vector<kvl::platform::FoundPrefix> &found,
                              const kvl::prefs::PrefixChoice &last);

// The chooser's order: the one chosen last, then those that hold the host, then the rest, each as found.
std::vector<kvl::platform::FoundPrefix> choiceOrder(std::vector<kvl::platform::FoundPrefix> found,
                                                    const std::string &lastPath);

} // namespace kvl::app

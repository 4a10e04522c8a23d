#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace kvl::app {

// What the command line asks for: --prefix <folder>, or an answer printed at once (--help, --version,
// --list-prefixes, a mistake) and the program's exit code.
struct CommandLine {
    std::optional<std::string> prefix; // absolute, UTF-8
    std::optional<int> exitCode;       // set: the program ends at once with it
};

// Whether a command line the parser cannot read is reported (exit code 2) or left to a later reading: before
// the windowing system has taken its own options (-platform ...) out, they are no mistake.
enum class Mistakes { Report, LeaveToLater };

// Texts in the interface language; answers go to the standard output, mistakes to the standard error.
CommandLine readCommandLine(const QStringList &arguments, const std::string &languageCode,
                            const std::string &home, Mistakes mistakes = Mistakes::Report);

// The prefixes found below the home folder, one a line (source, name, folder, whether the host is installed
// there), or where the program looked when there are none: what a user pastes into a bug report.
QString prefixListing(const std::string &home, const std::string &languageCode);

} // namespace kvl::app

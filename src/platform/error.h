#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace kvl {

// Every failure the user is told about travels as this exception; its message is shown as it stands.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure the program itself adds to the host's rules (a registry it cannot safely write, say). The
// interface texts layer words it in the interface language when the message is shown; what() only names
// the subject, for diagnostics.
class TranslatedError : public Error {
public:
    enum class Reason {
        BrokenHive,            // subject: the registry file that exists but cannot be read
        WineServerUnreachable, // subject: the Wine prefix whose running server cannot be reached
        WineNotAnswering,      // subject: the Wine prefix whose server did not answer in time
        NotAWinePrefix,        // subject: the folder taken for the Wine prefix, which holds no registry
        UnwritableHive,        // subject: the registry file that holds the key but cannot be written
        DiskFull,              // subject: the file that could not be written for lack of space
    };
    TranslatedError(Reason reason, std::string subject)
        : Error(subject), reason_(reason), subject_(std::move(subject)) {}
    Reason reason() const { return reason_; }
    const std::string &subject() const { return subject_; }

private:
    Reason reason_;
    std::string subject_;
};

} // namespace kvl

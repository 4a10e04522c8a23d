#pragma once

#include <stdexcept>
#include <string>

namespace kvl {

// Every failure the user is told about travels as this exception; its message is shown as it stands.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kvl

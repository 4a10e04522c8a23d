#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kvl::test {

// Sets an environment variable (or removes it, for nullopt) until the end of the scope.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const std::optional<std::string> &value) : name_(name) {
        if (const char *old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedVariable() { set(old_); }

private:
    void set(const std::optional<std::string> &value) {
        value ? ::setenv(name_, value->c_str(), 1) : ::unsetenv(name_);
    }
    const char *name_;
    std::optional<std::string> old_;
};

} // namespace kvl::test

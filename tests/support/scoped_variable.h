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
#ifdef _WIN32
        // An empty value removes the variable from the process's environment and the runtime's alike.
        _putenv_s(name_, value ? value->c_str() : "");
#else
        value ? ::setenv(name_, value->c_str(), 1) : ::unsetenv(name_);
#endif
    }
    const char *name_;
    std::optional<std::string> old_;
};

} // namespace kvl::test

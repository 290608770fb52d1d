#pragma once
// Sets (or, with nullptr, unsets) an environment variable and restores it at scope end.

#include <cstdlib>
#include <optional>
#include <string>

namespace bw::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        set(value);
    }
    ~ScopedEnv() { set(previous_ ? previous_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const char* value) {
        if (value)
            ::setenv(name_.c_str(), value, 1);
        else
            ::unsetenv(name_.c_str());
    }

    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace bw::test

#pragma once
// A command that cannot go on: the message for standard error and the exit code it ends with.

#include "host/ExitCode.h"

#include <stdexcept>
#include <string>

namespace bw::host {

class CommandError : public std::runtime_error {
public:
    CommandError(ExitCode code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    ExitCode code() const { return code_; }

private:
    ExitCode code_;
};

} // namespace bw::host

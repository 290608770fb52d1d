#pragma once
// The exception our code raises: it carries an ErrorInfo, so a failure keeps its number,
// source and description on its way to the error log or to the caller.

#include "framework/ErrorInfo.h"

#include <stdexcept>
#include <utility>

namespace bw {

class HostError : public std::runtime_error {
public:
    explicit HostError(ErrorInfo info)
        : std::runtime_error(info.description), info_(std::move(info)) {}
    HostError(std::int32_t number, std::string description, std::string source = errorSource)
        : HostError(ErrorInfo{number, std::move(source), std::move(description), 0}) {}

    const ErrorInfo& info() const { return info_; }
    std::int32_t number() const { return info_.number; }

private:
    ErrorInfo info_;
};

} // namespace bw

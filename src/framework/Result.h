#pragma once
// A value or the error that prevented it. Conversions and loads report failures this way,
// so nothing throws out of a load; value() on a failure raises the error as a HostError.

#include "framework/ErrorInfo.h"
#include "framework/HostError.h"

#include <utility>
#include <variant>

namespace bw {

template <class T>
class Result {
public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(ErrorInfo error) : v_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& {
        if (!ok()) throw HostError(error());
        return std::get<0>(v_);
    }
    T& value() & {
        if (!ok()) throw HostError(error());
        return std::get<0>(v_);
    }
    T&& value() && {
        if (!ok()) throw HostError(error());
        return std::get<0>(std::move(v_));
    }
    T valueOr(T fallback) const& { return ok() ? std::get<0>(v_) : std::move(fallback); }
    // Only meaningful when !ok().
    const ErrorInfo& error() const { return std::get<1>(v_); }

private:
    std::variant<T, ErrorInfo> v_;
};

} // namespace bw

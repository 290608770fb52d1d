#pragma once
// How every element operation traps its own failures: the body runs; if it throws, the failure
// is written to the error log under the operation's tag ("AutoText:Reformat") and the
// operation returns its fallback. Our HostError keeps its number, source and description; a
// standard exception is logged with the runtime number its kind matches (5, 6, 7 or 9) and its
// message. If the log itself cannot be written, that failure reaches the caller, as the log's
// rule says; the element keeps whatever state the body left.
//
//   return guarded(host_, "AutoText:FitsOK", false, [&] { return fits(hdc); });
//   guardedAlert(host_, "AutoText:LPrint", "AutoText:LPRINT:HitError", [&] { print(hdc); });

#include "framework/ErrorInfo.h"
#include "framework/HostServices.h"

#include <string_view>
#include <type_traits>
#include <utility>

namespace bw {

// The exception being handled, as the log records it. Call only inside a catch block.
ErrorInfo currentErrorInfo();

// Inside a catch block: shows `alert` (OK only) when it is not empty, then logs the exception
// being handled under `tag`.
void reportFailure(HostServices& host, std::string_view tag, std::string_view alert = {});

template <class F>
void guarded(HostServices& host, std::string_view tag, F&& body) {
    try {
        body();
    } catch (...) {
        reportFailure(host, tag);
    }
}

template <class F, class R = std::invoke_result_t<F&>>
R guarded(HostServices& host, std::string_view tag, std::type_identity_t<R> fallback, F&& body) {
    try {
        return body();
    } catch (...) {
        reportFailure(host, tag);
    }
    return fallback;
}

// As guarded, with a message box before the log entry.
template <class F>
void guardedAlert(HostServices& host, std::string_view tag, std::string_view alert, F&& body) {
    try {
        body();
    } catch (...) {
        reportFailure(host, tag, alert);
    }
}

} // namespace bw

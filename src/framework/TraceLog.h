#pragma once
// The log of a trace context: every drawing call with its arguments in the caller's units,
// so that tests can assert exact geometry without looking at pixels.

#include <string>
#include <string_view>
#include <vector>

namespace bw {

struct TraceCall {
    std::string op;           // the operation's name, e.g. "TextOut"
    std::vector<double> args; // its numeric arguments, in the caller's (logical) units
    std::string text;         // its text argument or a description of the object used
    std::string toString() const;
};

class TraceLog {
public:
    void add(std::string_view op, std::vector<double> args, std::string text = {});
    const std::vector<TraceCall>& calls() const { return calls_; }
    // Calls of one operation, in order.
    std::vector<TraceCall> named(std::string_view op) const;
    void clear() { calls_.clear(); }
    std::string dump() const; // one call per line

private:
    std::vector<TraceCall> calls_;
};

} // namespace bw

#include "framework/TraceLog.h"

#include <cmath>
#include <cstdio>

namespace bw {

namespace {
std::string formatNumber(double v) {
    if (std::nearbyint(v) == v && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g", v);
    return buffer;
}
} // namespace

std::string TraceCall::toString() const {
    std::string s = op + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i) s += ",";
        s += formatNumber(args[i]);
    }
    if (!text.empty()) s += (args.empty() ? "\"" : ",\"") + text + "\"";
    return s + ")";
}

void TraceLog::add(std::string_view op, std::vector<double> args, std::string text) {
    calls_.push_back(TraceCall{std::string(op), std::move(args), std::move(text)});
}

std::vector<TraceCall> TraceLog::named(std::string_view op) const {
    std::vector<TraceCall> out;
    for (const TraceCall& c : calls_)
        if (c.op == op) out.push_back(c);
    return out;
}

std::string TraceLog::dump() const {
    std::string out;
    for (const TraceCall& c : calls_) out += c.toString() + "\n";
    return out;
}

} // namespace bw

// Increment counters on random texts: every step runs on any input without crashing, and on
// small inputs each result equals a literal, slow model of the rules (characters as code points,
// each search restarting one character after the last match, text spliced token by token).
// Input: one byte of options, then the text, then optionally a NUL and the template text.

#include "framework/IncrementCounters.h"
#include "framework/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using bw::CounterCarry;

// A text as its characters, each kept as its own bytes so invalid UTF-8 survives the model.
using Chars = std::vector<std::string>;

Chars split(std::string_view s) {
    Chars out;
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t from = at;
        bw::utf8::next(s, at);
        out.emplace_back(s.substr(from, at - from));
    }
    return out;
}

std::string join(const Chars& c) {
    std::string out;
    for (const std::string& ch : c) out += ch;
    return out;
}

// 1-based position of `token` at or after `start`, 0 when there is none.
std::size_t inStr(std::size_t start, const Chars& s, std::string_view token) {
    for (std::size_t p = start; p + token.size() <= s.size() + 1; ++p) {
        bool match = true;
        for (std::size_t k = 0; k < token.size() && match; ++k)
            match = s[p - 1 + k] == std::string_view(&token[k], 1);
        if (match) return p;
    }
    return 0;
}

Chars left(const Chars& s, std::size_t n) {
    return Chars(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(std::min(n, s.size())));
}

Chars mid(const Chars& s, std::size_t start) {
    if (start > s.size()) return {};
    return Chars(s.begin() + static_cast<std::ptrdiff_t>(start - 1), s.end());
}

Chars concat(Chars a, const Chars& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Chars modelCounterText(const Chars& t) {
    Chars out;
    for (const std::string& ch : t) {
        if (ch == " " || ch == "\r" || ch == "\n") break;
        out.push_back(ch);
    }
    return out;
}

Chars modelIncrementCounter(Chars c, std::int64_t pos, CounterCarry carry) {
    if (c.empty()) return c;
    if (pos < 1) {
        if (carry == CounterCarry::Drop) return c;
        if (c[0] == "0") return concat({"1"}, c);
        if (c[0] == "A" || c[0] == "a") return concat({c[0]}, c);
        return c;
    }
    if (pos > static_cast<std::int64_t>(c.size())) return c;
    std::string& ch = c[static_cast<std::size_t>(pos - 1)];
    if (ch.size() != 1) return c;
    char& b = ch[0];
    if ((b >= '0' && b <= '8') || (b >= 'A' && b <= 'Y') || (b >= 'a' && b <= 'y')) {
        ++b;
        return c;
    }
    if (b == '9')
        b = '0';
    else if (b == 'Z')
        b = 'A';
    else if (b == 'z')
        b = 'a';
    else
        return c;
    return modelIncrementCounter(std::move(c), pos - 1, carry);
}

Chars modelInsertIncrement(const Chars& s, std::int64_t i, CounterCarry carry) {
    if (i < 1) return s;
    const auto start = static_cast<std::size_t>(i);
    const Chars c = modelCounterText(mid(s, start));
    const Chars advanced = modelIncrementCounter(c, static_cast<std::int64_t>(c.size()), carry);
    return concat(concat(left(s, start - 1), advanced), mid(s, start + c.size()));
}

Chars modelAdvance(Chars text, std::string_view token, CounterCarry carry) {
    for (std::size_t p = inStr(1, text, token); p > 0; p = inStr(p + 1, text, token))
        text = modelInsertIncrement(text, static_cast<std::int64_t>(p + token.size()), carry);
    return text;
}

Chars modelReset(Chars text, const Chars& templ) {
    constexpr std::string_view token = bw::resettableToken;
    std::size_t p = inStr(1, text, token);
    std::size_t q = inStr(1, templ, token);
    while (p > 0 && q > 0) {
        const Chars reset = modelCounterText(mid(templ, q + 5));
        const Chars current = modelCounterText(mid(text, p + 5));
        text = concat(concat(left(text, p + 4), reset), mid(text, p + 5 + current.size()));
        p = inStr(p + 1, text, token);
        q = inStr(q + 1, templ, token);
    }
    return text;
}

Chars modelStrip(Chars t) {
    for (const std::string_view token :
         {bw::labelToken, bw::labelZeroToken, bw::impressionToken, bw::resettableToken}) {
        for (std::size_t p = inStr(1, t, token); p > 0; p = inStr(1, t, token))
            t = concat(left(t, p - 1), mid(t, p + token.size()));
    }
    return t;
}

// Counters change only ASCII digits and letters and widen only by them.
std::string skeleton(std::string_view s) {
    std::string out;
    for (const char ch : s) {
        const bool alnum =
            (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
        if (!alnum) out += ch;
    }
    return out;
}

void check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const CounterCarry carry = (options & 1) != 0 ? CounterCarry::Drop : CounterCarry::Widen;
    const std::int64_t position = static_cast<std::int8_t>(options) / 2;
    const std::size_t cut = input.find('\0');
    const std::string_view text = input.substr(0, cut);
    const std::string_view templ = cut == std::string_view::npos ? text : input.substr(cut + 1);

    const std::string stripped = bw::stripIncrementTokens(text);
    check(stripped.find(bw::resettableToken) == std::string::npos);
    const bw::TokenScan scan = bw::scanIncrementTokens(text);
    check(scan.text == (scan.hasLabelIncr || scan.hasImpressionIncr ? stripped : text));

    const bw::CounterStep label = bw::labelIncrementStep(text, carry);
    const bw::CounterStep impression = bw::impressionIncrementStep(label.text, carry);
    const bw::CounterStep reset = bw::resetIncrementStep(impression.text, templ);
    check(skeleton(label.text) == skeleton(text));
    check(skeleton(impression.text) == skeleton(text));
    if (carry == CounterCarry::Drop) check(impression.text.size() == text.size());
    const std::string counter = bw::incrementCounter(bw::counterText(text), position, carry);
    const std::string inserted = bw::insertIncrement(text, position, carry);

    if (input.size() > 600) return 0; // the model is quadratic and recursive
    const Chars chars = split(text);
    check(join(modelStrip(chars)) == stripped);
    const Chars modelLabel =
        modelAdvance(modelAdvance(chars, bw::labelToken, carry), bw::labelZeroToken, carry);
    check(join(modelLabel) == label.text);
    const Chars modelImpression = modelAdvance(modelAdvance(modelLabel, bw::impressionToken, carry),
                                               bw::resettableToken, carry);
    check(join(modelImpression) == impression.text);
    check(join(modelReset(modelImpression, split(templ))) == reset.text);
    check(join(modelIncrementCounter(modelCounterText(chars), position, carry)) == counter);
    check(join(modelInsertIncrement(chars, position, carry)) == inserted);
    return 0;
}

#include "framework/IncrementCounters.h"

#include "framework/Utf8.h"

namespace bw {

namespace {

constexpr std::string_view counterEnds = " \r\n";
constexpr auto npos = std::string_view::npos;

// Where the counter that starts at byte `from` ends.
std::size_t counterEnd(std::string_view s, std::size_t from) {
    const std::size_t end = s.find_first_of(counterEnds, from);
    return end == npos ? s.size() : end;
}

// Byte offset of 1-based code point `pos`; the size when the text is shorter.
std::size_t byteOffset(std::string_view s, std::int64_t pos) {
    std::size_t at = 0;
    for (std::int64_t k = 1; k < pos && at < s.size(); ++k) utf8::next(s, at);
    return at;
}

// Advances the counter s[begin, end) at its last byte. A byte of a non-ASCII character is never
// a digit or letter, so working on bytes stops the carry exactly where code points would.
void advance(std::string& s, std::size_t begin, std::size_t end, CounterCarry carry) {
    if (begin >= end) return;
    for (std::size_t at = end; at > begin;) {
        char& ch = s[--at];
        if ((ch >= '0' && ch < '9') || (ch >= 'A' && ch < 'Z') || (ch >= 'a' && ch < 'z')) {
            ++ch;
            return;
        }
        if (ch == '9')
            ch = '0';
        else if (ch == 'Z')
            ch = 'A';
        else if (ch == 'z')
            ch = 'a';
        else
            return;
    }
    // The first character wrapped to "0", "A" or "a".
    if (carry == CounterCarry::Widen) s.insert(begin, 1, s[begin] == '0' ? '1' : s[begin]);
}

// Advances the counter after every `token`, left to right. Tokens never span a counter end and
// a counter never passes one, so each stretch between counter ends is finished on its own:
// the text is copied once and each increment touches only its own stretch.
std::size_t advanceAfterTokens(std::string_view text, std::string_view token, CounterCarry carry,
                               std::string& out) {
    out.clear();
    if (text.find(token) == npos) {
        out = text;
        return 0;
    }
    out.reserve(text.size() + 16);
    std::size_t tokens = 0;
    for (std::size_t pos = 0;;) {
        const std::size_t end = counterEnd(text, pos);
        const std::size_t stretch = out.size();
        out += text.substr(pos, end - pos);
        for (std::size_t at = out.find(token, stretch); at != npos; at = out.find(token, at + 1)) {
            advance(out, at + token.size(), out.size(), carry);
            ++tokens;
        }
        if (end == text.size()) break;
        out += text[end];
        pos = end + 1;
    }
    return tokens;
}

// Removes `token` until none is left. The tokens have no border (none starts with its own
// ending), so removals never interfere and any order gives the same text as repeatedly removing
// the first one; a stack finds that text in one pass.
std::string removeAll(std::string_view t, std::string_view token) {
    if (t.find(token) == npos) return std::string(t);
    std::string out;
    out.reserve(t.size());
    for (const char ch : t) {
        out += ch;
        if (ch == ']' && out.ends_with(token)) out.resize(out.size() - token.size());
    }
    return out;
}

CounterStep advanceTwo(std::string_view text, std::string_view first, std::string_view second,
                       CounterCarry carry) {
    CounterStep step;
    std::string once;
    step.tokens = advanceAfterTokens(text, first, carry, once);
    step.tokens += advanceAfterTokens(once, second, carry, step.text);
    return step;
}

} // namespace

std::string_view counterText(std::string_view t) {
    return t.substr(0, counterEnd(t, 0));
}

std::string incrementCounter(std::string_view c, std::int64_t pos, CounterCarry carry) {
    std::string out(c);
    if (c.empty()) return out;
    if (pos < 1) {
        if (carry == CounterCarry::Widen && (c[0] == '0' || c[0] == 'A' || c[0] == 'a'))
            out.insert(0, 1, c[0] == '0' ? '1' : c[0]);
        return out;
    }
    const std::size_t at = byteOffset(c, pos);
    if (at < c.size()) advance(out, 0, at + 1, carry);
    return out;
}

std::string insertIncrement(std::string_view s, std::int64_t i, CounterCarry carry) {
    std::string out(s);
    if (i < 1) return out;
    const std::size_t begin = byteOffset(s, i);
    advance(out, begin, counterEnd(s, begin), carry);
    return out;
}

std::string stripIncrementTokens(std::string_view t) {
    std::string out = removeAll(t, labelToken);
    out = removeAll(out, labelZeroToken);
    out = removeAll(out, impressionToken);
    return removeAll(out, resettableToken);
}

TokenScan scanIncrementTokens(std::string_view t) {
    TokenScan scan;
    scan.hasLabelIncr = t.find(labelToken) != npos || t.find(labelZeroToken) != npos;
    scan.hasImpressionIncr = t.find(impressionToken) != npos || t.find(resettableToken) != npos;
    scan.text =
        scan.hasLabelIncr || scan.hasImpressionIncr ? stripIncrementTokens(t) : std::string(t);
    return scan;
}

CounterStep labelIncrementStep(std::string_view text, CounterCarry carry) {
    return advanceTwo(text, labelToken, labelZeroToken, carry);
}

CounterStep impressionIncrementStep(std::string_view text, CounterCarry carry) {
    return advanceTwo(text, impressionToken, resettableToken, carry);
}

// The text being rebuilt is always: `out` (finished), then `reset` (the counter put in last,
// which holds no counter end), then `rest` (untouched text, starting at a counter end). The next
// token is searched in `reset` first; a counter found there runs to the end of `reset`. Working
// this way keeps the exact left-to-right rule without splicing the whole text for every token.
CounterStep resetIncrementStep(std::string_view text, std::string_view templateText) {
    constexpr std::size_t width = resettableToken.size();
    CounterStep step;
    std::string& out = step.text;
    out.reserve(text.size());
    std::string_view reset;
    std::string_view rest = text;
    std::size_t templateFrom = 0;
    std::size_t templateEnd = 0; // end of the template counter last read; reused until passed
    for (;;) {
        const std::size_t q = templateText.find(resettableToken, templateFrom);
        if (q == npos) break;
        const std::size_t inReset = reset.find(resettableToken);
        if (inReset != npos) {
            out += reset.substr(0, inReset + width);
        } else {
            const std::size_t at = rest.find(resettableToken);
            if (at == npos) break;
            out += reset;
            out += rest.substr(0, at + width);
            rest = rest.substr(counterEnd(rest, at + width));
        }
        templateFrom = q + width;
        if (step.tokens == 0 || templateEnd < templateFrom)
            templateEnd = counterEnd(templateText, templateFrom);
        reset = templateText.substr(templateFrom, templateEnd - templateFrom);
        ++step.tokens;
    }
    out += reset;
    out += rest;
    return step;
}

} // namespace bw

#pragma once
// Counters inside element text. A token written just before a counter asks for it to advance:
// per label ("[+]", "[+0]") or per impression ("[++]", "[++0]"); "[++0]" counters can also be
// reset to their value in the template text (the text as the host last set it). These are the
// pure text rules shared by AutoText and EanCode128; the elements keep the flags and add their
// change notifications, redraws and PlsSaveMe.
//
// A counter is the text after its token up to the first space or line break (CR or LF). Only
// ASCII digits and letters ever change, so everything else, invalid UTF-8 included, passes
// through byte for byte. Positions are 1-based and count code points.
//
// Every operation is linear in the length of its text: counters are advanced in place with an
// iterative carry, and steps never rebuild the whole text per token.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

inline constexpr std::string_view labelToken = "[+]";
inline constexpr std::string_view labelZeroToken = "[+0]"; // behaves exactly as "[+]"
inline constexpr std::string_view impressionToken = "[++]";
inline constexpr std::string_view resettableToken = "[++0]";

// What a carry out of a counter's leftmost character does.
enum class CounterCarry {
    Widen, // AutoText: the counter grows by "1", "A" or "a" (99 -> 100, Z -> AA, zz9 -> aaa0)
    Drop,  // EanCode128: the counter keeps its width and wraps (99 -> 00, Z -> A)
};

// The characters of `t` before its first space or line break; all of `t` when it has none.
// A view into `t`.
std::string_view counterText(std::string_view t);

// Advances counter `c` at code point `pos` and carries to the left: "0"-"8", "A"-"Y" and "a"-"y"
// step up; "9", "Z" and "z" wrap with a carry; any other character (or none, past the end) stops
// the carry. With Widen, a carry out of the first character puts "1", "A" or "a" in front (also
// when `pos` < 1 and the first character is "0", "A" or "a").
std::string incrementCounter(std::string_view c, std::int64_t pos,
                             CounterCarry carry = CounterCarry::Widen);

// `s` with the counter that starts at code point `i` (just after a token) advanced by one.
// An `i` below 1 changes nothing.
std::string insertIncrement(std::string_view s, std::int64_t i,
                            CounterCarry carry = CounterCarry::Widen);

// Removes every "[+]", then every "[+0]", then every "[++]", then every "[++0]"; each token is
// removed until none of it is left, even where a removal joins a new one ("[+[+]]" -> "").
// A later pass can join an earlier token: "[+[+0]]" leaves "[+]".
std::string stripIncrementTokens(std::string_view t);

struct TokenScan {
    bool hasLabelIncr = false;      // "[+]" or "[+0]"
    bool hasImpressionIncr = false; // "[++]" or "[++0]"
    std::string text;               // stripped when either flag is set, else the text unchanged
};
TokenScan scanIncrementTokens(std::string_view t);

struct CounterStep {
    std::string text;
    std::size_t tokens = 0; // tokens acted on (for a reset: counters put back)
};

// Every "[+]" counter, left to right, then every "[+0]" counter advances by one.
CounterStep labelIncrementStep(std::string_view text, CounterCarry carry = CounterCarry::Widen);

// Every "[++]" counter, then every "[++0]" counter advances by one.
CounterStep impressionIncrementStep(std::string_view text,
                                    CounterCarry carry = CounterCarry::Widen);

// The counter after the k-th "[++0]" of `text` becomes the counter after the k-th "[++0]" of
// `templateText`, for k = 1, 2, ... while both have one. Other counters stay as they are.
CounterStep resetIncrementStep(std::string_view text, std::string_view templateText);

} // namespace bw

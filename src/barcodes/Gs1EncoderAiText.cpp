// GS1 element strings written as AI text in brackets: the bracket check, the FNC1 separators,
// the fixed-length data a reader relies on, and the SSCC check digit.

#include "barcodes/Gs1Encoder.h"
#include "framework/Utf8.h"

#include <algorithm>

namespace bw {

namespace {

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    for (const char32_t c : text) utf8::append(out, c);
    return out;
}

const FixedLengthAi* fixedLengthAi(std::u32string_view identifier) {
    if (identifier.size() < 2) return nullptr;
    const auto it = std::find_if(Gs1Encoder::FixedLengthAis.begin(),
                                 Gs1Encoder::FixedLengthAis.end(), [&](const FixedLengthAi& ai) {
                                     return static_cast<char32_t>(ai.prefix[0]) == identifier[0] &&
                                            static_cast<char32_t>(ai.prefix[1]) == identifier[1];
                                 });
    return it == Gs1Encoder::FixedLengthAis.end() ? nullptr : &*it;
}

// Weight 3 on the digit next to the check digit, then 1 and 3 alternately leftwards.
char mod10CheckDigit(std::u32string_view digits) {
    unsigned sum = 0;
    bool three = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, three = !three)
        sum += (isDigit(*it) ? static_cast<unsigned>(*it - U'0') : 0u) * (three ? 3u : 1u);
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// One bracketed element of a well-formed AI text; positions count from 0.
struct AiElement {
    std::u32string_view identifier;
    std::u32string_view data;
    std::size_t start; // of the "("
    std::size_t dataStart;
};

std::vector<AiElement> aiElements(std::u32string_view code) {
    std::vector<AiElement> elements;
    for (std::size_t open = code.find(U'('); open != std::u32string_view::npos;) {
        const std::size_t close = code.find(U')', open);
        const std::size_t next = code.find(U'(', close);
        const std::size_t end = next == std::u32string_view::npos ? code.size() : next;
        elements.push_back({code.substr(open + 1, close - open - 1),
                            code.substr(close + 1, end - close - 1), open, close + 1});
        open = next;
    }
    return elements;
}

} // namespace

std::optional<Gs1Encoder::Failure> Gs1Encoder::aiFormatFailure(std::u32string_view code) {
    auto failure = [](std::string error) {
        return Failure{Code128Status::NotWellFormed, std::move(error)};
    };
    if (code.empty() || code[0] != U'(')
        return failure(code.empty() ? "No data, expecting AI text such as (10)123456"
                                    : "Invalid character " + describe(code[0]) +
                                          " at position 1, expecting '('");
    bool inIdentifier = false;
    std::size_t digits = 0;
    std::size_t opened = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const auto at = [i] { return " at position " + std::to_string(i + 1); };
        const char32_t c = code[i];
        if (c == U'(') {
            if (inIdentifier)
                return failure("Unexpected '('" + at() + ", expecting the digits of an AI");
            inIdentifier = true;
            digits = 0;
            opened = i;
        } else if (c == U')') {
            if (!inIdentifier) return failure("Unexpected ')'" + at() + " in AI data");
            if (digits < 2)
                return failure("Too few digits (" + std::to_string(digits) + ") in AI" + at() +
                               ", expecting 2 to 4");
            inIdentifier = false;
        } else if (inIdentifier) {
            if (!isDigit(c))
                return failure("Invalid character " + describe(c) + at() + ", expecting a digit");
            if (++digits > 4) return failure("Too many digits in AI" + at() + ", expecting ')'");
        }
    }
    if (inIdentifier)
        return failure("AI at position " + std::to_string(opened + 1) +
                       " is not closed, expecting ')'");
    return std::nullopt;
}

bool Gs1Encoder::IsValidAiFormat(std::string_view code) {
    return !aiFormatFailure(codePoints(code));
}

std::string Gs1Encoder::InsertFunc1(std::string_view code) {
    const std::u32string text = codePoints(code);
    std::u32string out;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t next = text.find(U'(', start + 1);
        const std::size_t end = next == std::u32string::npos ? text.size() : next;
        std::u32string element = text.substr(start, end - start);
        const bool last = end == text.size();
        const bool fixed = element.size() >= 3 && element[0] == U'(' &&
                           fixedLengthAi(std::u32string_view(element).substr(1, 2)) != nullptr;
        if (!last && !fixed) element += Fnc1Marker;
        if (element[0] == U'(') element.erase(0, 1);
        if (const std::size_t close = element.find(U')'); close != std::u32string::npos)
            element.erase(close, 1);
        out += element;
        start = end;
    }
    return toUtf8(out);
}

// A reader takes the length of a fixed-length element string for granted: shorter or longer data
// would run into the next element and read as a different number.
std::optional<Gs1Encoder::Failure> Gs1Encoder::fixedLengthFailure(std::u32string_view code) {
    for (const AiElement& e : aiElements(code)) {
        const FixedLengthAi* ai = fixedLengthAi(e.identifier);
        if (!ai) continue;
        const std::string name = "AI (" + toUtf8(e.identifier) + ")";
        for (std::size_t i = 0; i < e.data.size(); ++i)
            if (!isDigit(e.data[i]))
                return Failure{Code128Status::NotADigit,
                               "Invalid character " + describe(e.data[i]) + " at position " +
                                   std::to_string(e.dataStart + i + 1) + " in the data of " + name +
                                   ", expecting a digit"};
        const std::size_t expected =
            ai->length > e.identifier.size() ? ai->length - e.identifier.size() : 0;
        if (e.data.size() != expected)
            return Failure{Code128Status::WrongLength,
                           name + " at position " + std::to_string(e.start + 1) + " has " +
                               std::to_string(e.data.size()) + " data digits, expecting " +
                               std::to_string(expected)};
        if (ai->prefix == "00" || ai->prefix == "01" || ai->prefix == "02") {
            // The key is the element string after the two-digit prefix, check digit last.
            std::u32string element(e.identifier);
            element += e.data;
            const std::u32string_view key = std::u32string_view(element).substr(2);
            const char expectedDigit = mod10CheckDigit(key.substr(0, key.size() - 1));
            if (key.back() != static_cast<char32_t>(expectedDigit))
                return Failure{Code128Status::WrongCheckDigit,
                               "Invalid check digit " + describe(key.back()) + " in " + name +
                                   " at position " + std::to_string(e.start + 1) + ", expecting '" +
                                   expectedDigit + "'"};
        }
    }
    return std::nullopt;
}

std::string Gs1Encoder::SsccCheckDigit(std::string_view d) {
    std::u32string digits = codePoints(d).substr(0, 17);
    digits.resize(17, U'0');
    return std::string(1, mod10CheckDigit(digits));
}

std::string Gs1Encoder::SSCCCheck(std::string_view t) {
    // The searched texts are ASCII, so byte offsets serve in UTF-8.
    std::string result(t);
    for (std::size_t at = result.find("(00)["); at != std::string::npos;
         at = result.find("(00)[", at + 1)) {
        const std::size_t close = result.find(']', at);
        if (close == std::string::npos) break;
        const std::size_t from = close + 1;
        std::size_t run = 0;
        while (from + run < result.size() && result[from + run] >= '0' && result[from + run] <= '9')
            ++run;
        if (run == 17) result.insert(from + 17, SsccCheckDigit(result.substr(from, 17)));
    }
    return result;
}

} // namespace bw

#include "framework/NumberText.h"

#include "framework/CaseFold.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <sstream>

namespace bw {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < base ? d : -1;
}

struct Scan {
    double value = 0;
    std::size_t end = 0; // where reading stopped
    bool found = false;  // a number was there
    bool overflow = false;
};

// "&H..." or "&O..." at `pos`; short literals are 16-bit and long ones 32-bit, as the runtime
// types them, so "&HFFFF" and "&HFFFFFFFF" are both -1.
Scan scanRadix(std::string_view s, std::size_t pos) {
    Scan scan;
    if (s.size() - pos < 2 || s[pos] != '&') return scan;
    const char kind = asciiLower(s[pos + 1]);
    const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
    if (base == 0) return scan;
    std::size_t i = pos + 2;
    unsigned long long v = 0;
    const std::size_t first = i;
    for (int d; i < s.size() && (d = digitValue(s[i], base)) >= 0; ++i) {
        if (v > 0xFFFFFFFFull)
            scan.overflow = true;
        else
            v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
    if (i == first) return scan;
    scan.found = true;
    scan.end = i;
    if (v > 0xFFFFFFFFull) scan.overflow = true;
    if (v <= 0xFFFF)
        scan.value = static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    else if (v <= 0xFFFFFFFF)
        scan.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    else
        scan.value = static_cast<double>(v);
    return scan;
}

// Sign, digits, one decimal point, exponent: the longest number that starts at `pos`.
Scan scanDecimal(std::string_view s, std::size_t pos) {
    Scan scan;
    std::size_t i = pos;
    std::string text; // normalised for from_chars: digits, '.', 'e', sign
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++digits) text += s[i];
    if (i < s.size() && s[i] == '.') {
        text += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++digits) text += s[i];
    }
    if (digits == 0) return scan;
    scan.found = true;
    scan.end = i;
    if (i < s.size() && (asciiLower(s[i]) == 'e' || asciiLower(s[i]) == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        const std::size_t firstDigit = j;
        for (; j < s.size() && isDigit(s[j]); ++j) exponent += s[j];
        if (j > firstDigit) { // an exponent without digits is not part of the number
            text += exponent;
            scan.end = j;
        }
    }
    if (text.front() == '.') text.insert(text.begin(), '0');
    double v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves v alone: tell an overflow from an underflow by the exponent's sign
        const auto e = text.find('e');
        const bool tiny = e != std::string::npos && e + 1 < text.size() && text[e + 1] == '-';
        v = tiny ? 0.0 : HUGE_VAL;
        scan.overflow = !tiny;
    }
    scan.value = negative ? -v : v;
    return scan;
}

// The integer nearest to |value| × 10^decimals as decimal digits, taken from the value's 15
// significant digits as the runtime's formatting does (so 1.005 rounds as 1.005, not as the
// binary value just below it).
std::string scaledDigits(double absValue, int decimals, bool tiesToEven) {
    if (absValue == 0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", absValue);
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 14);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    const long keep = static_cast<long>(exponent) + 1 + decimals; // digits before the cut
    if (keep >= static_cast<long>(digits.size()))
        return digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
    if (keep < 0) return "0";
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    const std::string_view dropped = std::string_view(digits).substr(kept.size());
    bool up = dropped[0] >= '5';
    if (tiesToEven && dropped[0] == '5' &&
        dropped.find_first_not_of('0', 1) == std::string_view::npos)
        up = !kept.empty() && (kept.back() - '0') % 2 == 1;
    if (up) {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
        if (i == 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i - 1];
    }
    const std::size_t nonZero = kept.find_first_not_of('0');
    return nonZero == std::string::npos ? "0" : kept.substr(nonZero);
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

std::string defaultText(double value, int significant) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (value == 0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    std::string digits;
    digits += buf[0];
    if (significant > 1) digits.append(buf + 2, static_cast<std::size_t>(significant - 1));
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string out = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= significant) {
        out += digits[0];
        if (digits.size() > 1) out += '.' + digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return out + e;
    }
    if (exponent < 0)
        return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits)
        return out + digits + std::string(intDigits - digits.size(), '0');
    return out + digits.substr(0, intDigits) + '.' + digits.substr(intDigits);
}

std::string grouped(const std::string& digits, char separator) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

} // namespace

double leadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    const Scan radix = scanRadix(s, 0);
    if (radix.found) return radix.value;
    return scanDecimal(s, 0).value;
}

Result<double> parseNumber(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    Scan scan = scanRadix(text, 0);
    if (!scan.found) scan = scanDecimal(text, 0);
    const std::string quoted = "\"" + std::string(text) + "\"";
    if (!scan.found || scan.end != text.size())
        return ErrorInfo{err::typeMismatch, errorSource,
                         "Type mismatch: " + quoted + " is not a number"};
    if (scan.overflow)
        return ErrorInfo{err::overflow, errorSource, "Overflow: " + quoted + " is out of range"};
    return scan.value;
}

std::string numberText(double value) {
    return defaultText(value, 15);
}
std::string numberText(float value) {
    return defaultText(value, 7);
}

std::string formatNumber(double value, std::string_view pattern, const std::locale& locale) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    const std::size_t start = pattern.find_first_of("0#.");
    if (start == std::string_view::npos) return std::string(pattern);
    std::size_t end = start;
    bool seenPoint = false;
    for (; end < pattern.size(); ++end) {
        const char c = pattern[end];
        if (c == '.' && seenPoint) break;
        if (c == '.')
            seenPoint = true;
        else if (c != '0' && c != '#' && c != ',')
            break;
    }
    while (end > start && pattern[end - 1] == ',') --end; // trailing commas are text here
    const std::string_view section = pattern.substr(start, end - start);
    const std::size_t point = section.find('.');
    const std::string_view intPattern = section.substr(0, point);
    const std::string_view fracPattern =
        point == std::string_view::npos ? std::string_view{} : section.substr(point + 1);

    const auto minInt =
        static_cast<std::size_t>(std::count(intPattern.begin(), intPattern.end(), '0'));
    const bool grouping = intPattern.find(',') != std::string_view::npos;
    int maxFrac = 0;
    int minFrac = 0;
    for (char c : fracPattern) {
        if (c == '0' || c == '#') ++maxFrac;
        if (c == '0') minFrac = maxFrac;
    }

    std::string digits = scaledDigits(std::fabs(value), maxFrac, false);
    const bool negative = value < 0 && digits != "0";
    if (digits.size() <= static_cast<std::size_t>(maxFrac))
        digits.insert(0, static_cast<std::size_t>(maxFrac) + 1 - digits.size(), '0');
    std::string intDigits = digits.substr(0, digits.size() - static_cast<std::size_t>(maxFrac));
    std::string fracDigits = digits.substr(intDigits.size());
    intDigits.erase(0, std::min(intDigits.find_first_not_of('0'), intDigits.size()));
    if (intDigits.size() < minInt) intDigits.insert(0, minInt - intDigits.size(), '0');
    while (fracDigits.size() > static_cast<std::size_t>(minFrac) && fracDigits.back() == '0')
        fracDigits.pop_back();

    const auto& punct = std::use_facet<std::numpunct<char>>(locale);
    std::string out = negative ? "-" : "";
    out += pattern.substr(0, start);
    out += grouping ? grouped(intDigits, punct.thousands_sep()) : intDigits;
    if (point != std::string_view::npos) out += punct.decimal_point() + fracDigits;
    out += pattern.substr(end);
    return out;
}

std::string formatCurrency(double value, const std::locale& locale) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    const auto& punct = std::use_facet<std::moneypunct<char>>(locale);
    int decimals = punct.frac_digits();
    if (decimals < 0 || decimals > 8) decimals = 0; // "not specified" in some locales
    std::string units = scaledDigits(std::fabs(value), decimals, true);
    const bool negative = value < 0 && units != "0";
    // money_put shows no whole-number digit unless one is there: 12 cents would be ".12"
    if (units.size() <= static_cast<std::size_t>(decimals))
        units.insert(0, static_cast<std::size_t>(decimals) + 1 - units.size(), '0');
    if (negative) units.insert(units.begin(), '-');
    std::ostringstream out;
    out.imbue(locale);
    out << std::showbase << std::put_money(units);
    return out.str();
}

} // namespace bw

#pragma once
// Numbers in text, read and written the way the host runtime does it: its lenient leading-
// number reader, its strict conversion of a whole string, its default number text and its
// picture formats ("0.0", "#,##0", "#####0.0g"), and currency in the user's format.

#include "framework/Result.h"

#include <locale>
#include <string>
#include <string_view>

namespace bw {

// The leading number of a text: blanks, tabs and line feeds are skipped wherever they are; then
// an optional sign, digits with one decimal point and an exponent (E or D); reading stops at the
// first character that cannot continue the number. "&H1F" and "&O17" read hexadecimal and octal
// (four digits or fewer as a 16-bit value, so "&HFFFF" is -1). No number gives 0.
double leadingNumber(std::string_view text);

// A whole string as a number (spaces around it allowed): a type mismatch when anything but one
// number is there, an overflow beyond the range of a Double.
Result<double> parseNumber(std::string_view text);

// The runtime's default text of a number: 15 significant digits for a Double, 7 for a Single,
// no trailing zeros, exponent form ("1E+15", "1E-05") outside the plain range.
std::string numberText(double value);
std::string numberText(float value);

// A picture format: "0" a digit always shown, "#" a digit shown when significant, "." the
// locale's decimal point, "," between integer digits groups them by thousands; other characters
// are copied. Rounds to the shown digits, halves away from zero; negatives get a leading "-".
std::string formatNumber(double value, std::string_view pattern,
                         const std::locale& locale = std::locale::classic());

// Currency in the locale's format: its symbol, separators and default decimals.
std::string formatCurrency(double value, const std::locale& locale);

} // namespace bw

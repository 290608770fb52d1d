#pragma once
// The user's locale for currency, numbers and dates, and the general date format.

#include <ctime>
#include <locale>
#include <string>

namespace bw {

// The locale the environment names; the "C" locale when that one is not installed.
std::locale systemLocale();

// The general date format: short date, a space, long time ("%x %X" of the locale).
std::string formatGeneralDate(const std::tm& local, const std::locale& locale);

} // namespace bw

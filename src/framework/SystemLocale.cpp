#include "framework/SystemLocale.h"

#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace bw {

std::locale systemLocale() {
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();
    }
}

std::string formatGeneralDate(const std::tm& local, const std::locale& locale) {
    std::ostringstream out;
    out.imbue(locale);
    out << std::put_time(&local, "%x %X");
    return out.str();
}

} // namespace bw

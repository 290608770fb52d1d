#pragma once
// smmain printers, classes and properties: what is installed and what the library offers.

#include "host/ExitCode.h"

#include <ostream>
#include <string>

namespace bw::host {

class CatalogCommands {
public:
    // The installed printers, one a line, the current one marked with "*"; problems with the
    // printers file go to `err`.
    static ExitCode printers(std::ostream& out, std::ostream& err);
    // The creatable classes, one a line.
    static ExitCode classes(std::ostream& out);
    // The properties of `className` with their types, defaults and access, then its methods.
    // Throws CommandError (Usage) for a class the library does not have.
    static ExitCode properties(const std::string& className, std::ostream& out);
};

} // namespace bw::host

#pragma once
// smmain's exit codes: scripts that print labels branch on them, so each one means one thing
// and --help lists them.

#include <span>
#include <string_view>

namespace bw::host {

enum class ExitCode : int {
    Ok = 0,
    Failure = 1,        // anything unforeseen; the message says what
    Usage = 2,          // a wrong command line, a quantity out of range, an unknown class
    BadLabelFile = 3,   // the label file cannot be read or is not a valid label file
    NoSuchPrinter = 4,  // the printer named is not installed
    OutputFailed = 5,   // the printer's document could not be started or written
    CountersUnsaved = 6 // the counters could not be saved: nothing was handed to the printer
};

struct ExitCodeText {
    ExitCode code;
    std::string_view meaning;
};

// Every code with its meaning, for --help.
std::span<const ExitCodeText> exitCodeTexts();

inline int toInt(ExitCode code) {
    return static_cast<int>(code);
}

} // namespace bw::host

#include "host/ExitCode.h"

namespace bw::host {

std::span<const ExitCodeText> exitCodeTexts() {
    static constexpr ExitCodeText texts[] = {
        {ExitCode::Ok, "done"},
        {ExitCode::Failure, "an unexpected failure (the message says what)"},
        {ExitCode::Usage, "wrong command line, quantity out of range or unknown class"},
        {ExitCode::BadLabelFile, "the label file cannot be read or is not valid"},
        {ExitCode::NoSuchPrinter, "no printer of that name is installed"},
        {ExitCode::OutputFailed, "the output could not be written; counters left as they were"},
        {ExitCode::CountersUnsaved,
         "the counters could not be saved; nothing was handed to the printer"},
    };
    return texts;
}

} // namespace bw::host

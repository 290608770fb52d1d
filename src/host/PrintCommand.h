#pragma once
// smmain print: sets up the page the label file describes, opens a run, prints the label
// QTY times, ends the run and saves the counters back to the label file.
//
// Counters are committed to the label file after the labels are printed and before the run
// ends: the printer gets a document only when it ends, so a kill before that leaves no
// document and the file as it was, and a kill after it leaves the advanced counters. If
// the document then fails (disk full), the file is put back as it was. Raster printers take
// each page as it ends, so for them the run's final counters are saved before it starts.

#include "host/ExitCode.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace bw::host {

struct PrintOptions {
    std::filesystem::path file;
    int quantity = 1;
    std::optional<std::string> printer; // instead of the file's
    std::optional<std::filesystem::path> output;
    bool quiet = false;
};

class PrintCommand {
public:
    // Throws CommandError for every failure it reports.
    static ExitCode run(const PrintOptions& options, std::ostream& out, std::ostream& err);
};

} // namespace bw::host

#pragma once
// smmain preview: one label of a label file, drawn by its printable elements as they draw on
// the page, to a PNG picture at the resolution asked for. Nothing is printed, no counter moves
// and the label file is not touched.

#include "host/ExitCode.h"

#include <filesystem>
#include <ostream>

namespace bw::host {

struct PreviewOptions {
    std::filesystem::path file;
    std::filesystem::path output;
    int dpi = 300;
};

class PreviewCommand {
public:
    static constexpr int smallestDpi = 36;
    static constexpr int largestDpi = 2400;

    // Throws CommandError for every failure it reports.
    static ExitCode run(const PreviewOptions& options, std::ostream& out);
};

} // namespace bw::host

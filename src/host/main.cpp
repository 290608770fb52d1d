// smmain: the host program that loads label files, prints runs and renders previews.

#include "host/SamplePage.h"

#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"smmain - print food labels with the BWCTRLS library"};
    app.require_subcommand(1);

    std::string sampleOutput = "out/sample.pdf";
    CLI::App* sample = app.add_subcommand("sample", "Draw a sample sheet of labels to a PDF");
    sample->add_option("-o,--output", sampleOutput, "PDF file to write")->capture_default_str();

    CLI11_PARSE(app, argc, argv);

    if (sample->parsed()) {
        const std::string error = bw::host::writeSamplePage(sampleOutput);
        if (!error.empty()) {
            std::cerr << "smmain: " << error << "\n";
            return 1;
        }
        std::cout << "wrote " << sampleOutput << "\n";
    }
    return 0;
}

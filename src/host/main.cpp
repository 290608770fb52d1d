// smmain: the host program that loads label files, prints runs and renders previews.

#include "framework/HeadlessHost.h"
#include "host/CatalogCommands.h"
#include "host/CommandError.h"
#include "host/ExitCode.h"
#include "host/PreviewCommand.h"
#include "host/PrintCommand.h"
#include "host/SamplePage.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace {

using bw::host::ExitCode;

std::string exitCodeFooter() {
    std::string text = "Exit codes:";
    for (const bw::host::ExitCodeText& t : bw::host::exitCodeTexts())
        text += "\n  " + std::to_string(bw::host::toInt(t.code)) + "  " + std::string(t.meaning);
    return text + "\n\nEnvironment: BWCTRLS_PRINTERS names a printers file, BWCTRLS_REGISTRY the "
                  "registry folder.";
}

} // namespace

int main(int argc, char** argv) {
    bw::HeadlessHost host;
    const bw::ScopedHost installed(host);

    CLI::App app{"smmain - print food labels with the BWCTRLS library"};
    app.require_subcommand(1);
    app.footer(exitCodeFooter());

    bw::host::PrintOptions print;
    std::string printer;
    std::string output;
    CLI::App* printCommand = app.add_subcommand(
        "print", "Print a label file: set up the page, print QTY labels, save the counters back");
    printCommand->add_option("FILE", print.file, "label file (JSON)")->required();
    printCommand->add_option("-n,--quantity", print.quantity, "labels to print")
        ->capture_default_str();
    printCommand->add_option("--printer", printer, "printer to use instead of the file's");
    printCommand->add_option("-o,--output", output,
                             "file the document goes to instead of the printer's port");
    printCommand->add_flag("-q,--quiet", print.quiet, "no progress bar");

    bw::host::PreviewOptions preview;
    CLI::App* previewCommand =
        app.add_subcommand("preview", "Draw one label of a label file to a PNG picture");
    previewCommand->add_option("FILE", preview.file, "label file (JSON)")->required();
    previewCommand->add_option("-o,--output", preview.output, "PNG file to write")->required();
    previewCommand->add_option("--dpi", preview.dpi, "resolution of the picture")
        ->capture_default_str();

    CLI::App* printersCommand =
        app.add_subcommand("printers", "List the installed printers; * marks the current one");
    CLI::App* classesCommand = app.add_subcommand("classes", "List the creatable classes");
    std::string className;
    CLI::App* propertiesCommand = app.add_subcommand(
        "properties", "List a class's properties with types and defaults, and its methods");
    propertiesCommand->add_option("CLASS", className, "class name, e.g. AutoText")->required();

    std::string sampleOutput = "out/sample.pdf";
    CLI::App* sample = app.add_subcommand("sample", "Draw a sample sheet of labels to a PDF");
    sample->add_option("-o,--output", sampleOutput, "PDF file to write")->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help is not a failure; every other parse error is a usage error.
        return app.exit(e) == 0 ? 0 : bw::host::toInt(ExitCode::Usage);
    }

    try {
        ExitCode code = ExitCode::Ok;
        if (printCommand->parsed()) {
            if (!printer.empty()) print.printer = printer;
            if (!output.empty()) print.output = output;
            code = bw::host::PrintCommand::run(print, std::cout, std::cerr);
        } else if (previewCommand->parsed()) {
            code = bw::host::PreviewCommand::run(preview, std::cout);
        } else if (printersCommand->parsed()) {
            code = bw::host::CatalogCommands::printers(std::cout, std::cerr);
        } else if (classesCommand->parsed()) {
            code = bw::host::CatalogCommands::classes(std::cout);
        } else if (propertiesCommand->parsed()) {
            code = bw::host::CatalogCommands::properties(className, std::cout);
        } else if (sample->parsed()) {
            const std::string error = bw::host::writeSamplePage(sampleOutput);
            if (!error.empty()) throw bw::host::CommandError(ExitCode::OutputFailed, error);
            std::cout << "wrote " << sampleOutput << "\n";
        }
        return bw::host::toInt(code);
    } catch (const bw::host::CommandError& e) {
        std::cerr << "smmain: " << e.what() << "\n";
        return bw::host::toInt(e.code());
    } catch (const std::exception& e) {
        std::cerr << "smmain: " << e.what() << "\n";
        return bw::host::toInt(ExitCode::Failure);
    }
}

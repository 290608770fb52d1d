#include "host/PrintCommand.h"

#include "framework/CaseFold.h"
#include "framework/CurrentPrinter.h"
#include "host/CommandError.h"
#include "host/CounterReservation.h"
#include "host/CounterSaver.h"
#include "host/HostLabelForm.h"
#include "host/LabelFile.h"
#include "host/LabelFileError.h"
#include "host/LabelFileLock.h"
#include "host/PageSetUp.h"
#include "host/ProgressBar.h"
#include "printing/LabelPrinter.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>
#include <unistd.h>

namespace bw::host {

namespace {

constexpr int largestQuantity = std::numeric_limits<std::int16_t>::max();

// Why a document could not be started in `target`'s folder, found by trying to make a file.
std::string outputProblem(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec))
        return "the folder " + folder.string() + " does not exist";
    if (!std::filesystem::is_directory(folder, ec)) return folder.string() + " is not a folder";
    std::string probe = (folder / ".smmain-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return "no file can be made in " + folder.string() + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return "the printer could not start a document in " + target.string();
}

// The first printable control with a counter per impression: each of its saves is one label.
std::optional<std::size_t> impressionPacer(HostLabelForm& form) {
    for (std::int32_t i = 0; i < form.ControlCount(); ++i) {
        LabelControl& control = form.Controls(i);
        if (control.Tag() == "P" && control.GetHasImpressionIncr())
            return static_cast<std::size_t>(i);
    }
    return std::nullopt;
}

// Printers that take a document only when it ends; a raster printer takes each page as it
// ends, so its run's counters are saved ahead.
bool takesWholeDocuments(const PrinterProfile& printer) {
    return printer.format != "png";
}

} // namespace

ExitCode PrintCommand::run(const PrintOptions& options, std::ostream& out, std::ostream& err) {
    if (options.quantity > largestQuantity)
        throw CommandError(ExitCode::Usage, "at most " + std::to_string(largestQuantity) +
                                                " labels can be printed in one run, not " +
                                                std::to_string(options.quantity));

    // Held until the counters are saved, so another run starts from them.
    std::optional<LabelFileLock> lock;
    try {
        lock.emplace(options.file, [&] {
            err << "smmain: waiting for another smmain that prints " << options.file.string()
                << "\n";
        });
    } catch (const std::system_error& e) {
        throw CommandError(ExitCode::BadLabelFile, e.what());
    }
    std::optional<LabelFile> label;
    try {
        label.emplace(options.file);
    } catch (const LabelFileError& e) {
        throw CommandError(ExitCode::BadLabelFile, e.what());
    }
    if (options.quantity < 1) {
        out << "nothing printed: the quantity is " << options.quantity << "\n";
        return options.quantity == 0 ? ExitCode::Ok : ExitCode::Usage;
    }

    LabelPrinter engine;
    engine.setDesignMode(false);
    PageSetUp::apply(engine, label->page(), label->compensation(),
                     options.printer.value_or(label->page().printer));
    const PrinterProfile printer = CurrentPrinter::instance().profile();
    const std::filesystem::path target = options.output.value_or(printer.port);
    // CUPS printers take the document as a job, not as a file.
    const std::string destination =
        !options.output && printer.format == "cups" ? "printer " + printer.name : target.string();
    if (options.output) engine.setOutputFile(options.output->string());

    HostLabelForm form(*label);
    CounterSaver saver(*label);
    ProgressBar progress(options.quantity, !options.quiet);
    const std::optional<std::size_t> pacer = impressionPacer(form);
    std::int64_t impressions = 0;
    label->setEventListener([&](std::size_t index, std::string_view event) {
        if (!iequals(event, "PlsSaveMe")) return;
        saver.request(index);
        if (index == pacer) progress.set(++impressions);
    });

    bool started = false;
    try {
        started = engine.StartRun(options.file.stem().string());
    } catch (const std::exception& e) {
        throw CommandError(ExitCode::OutputFailed,
                           std::string("the run could not be started: ") + e.what());
    }
    if (!started) {
        engine.EndRun();
        throw CommandError(ExitCode::OutputFailed, outputProblem(target));
    }

    if (!takesWholeDocuments(printer)) {
        try {
            CounterReservation::reserve(*label, static_cast<std::int16_t>(options.quantity));
        } catch (const std::system_error& e) {
            engine.KillRun();
            engine.EndRun();
            throw CommandError(ExitCode::CountersUnsaved,
                               std::string(e.what()) + "; nothing was handed to the printer");
        }
    }
    engine.PrintLabel(form, static_cast<std::int16_t>(options.quantity));
    progress.stop();

    // The counters must be on disk before the document that carries their labels is.
    try {
        saver.commit();
    } catch (const std::system_error& e) {
        engine.KillRun();
        engine.EndRun();
        throw CommandError(ExitCode::CountersUnsaved,
                           std::string(e.what()) +
                               "; the run was aborted and nothing was handed to the printer");
    }

    const bool ended = engine.EndRun();
    const std::int32_t sheets = engine.SheetsPrinted();
    if (!ended || sheets == 0) {
        std::string counters = "the counters in " + options.file.string();
        if (!takesWholeDocuments(printer)) {
            counters += " stay past the pages already written";
        } else {
            try {
                saver.rollback(); // the printer got nothing
                counters += " are as they were";
            } catch (const std::system_error& e) {
                counters += std::string(" stay advanced: ") + e.what();
            }
        }
        throw CommandError(ExitCode::OutputFailed,
                           "the labels could not be written to " + destination + "; " + counters);
    }
    out << "printed " << options.quantity << " label" << (options.quantity == 1 ? "" : "s")
        << " on " << sheets << " sheet" << (sheets == 1 ? "" : "s") << " to " << destination
        << "\n";
    return ExitCode::Ok;
}

} // namespace bw::host

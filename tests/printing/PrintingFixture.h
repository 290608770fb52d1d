#pragma once
// The engine's test bench: a recording host whose error log goes to a temporary folder, a
// printers file with the printers the tests need, and the process's current printer put back
// to the built-in one afterwards. The printer's context can be traced: every page start and
// end, copy count, slot origin, clip and play then shows in the trace.

#include "framework/CurrentPrinter.h"
#include "framework/DeviceContext.h"
#include "framework/RecordingHost.h"
#include "framework/TraceLog.h"
#include "printing/LabelPrinter.h"
#include "support/FileText.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bw::test {

// A sheet in millimetres, as a host passes it to SetPageParameters.
struct Sheet {
    std::string printer = "Sheet 1440";
    std::int16_t across = 2;
    std::int16_t down = 3;
    float firstTop = 10;
    float firstLeft = 5;
    float hPitch = 100;
    float vPitch = 40;
    std::int16_t unit = 6;
    std::int16_t orientation = 1;
    std::int16_t paper = 1;
    float width = 95;
    float height = 38;
};

class PrintingFixture : public ::testing::Test {
protected:
    PrintingFixture() {
        host.setDataDirectory(dir.withSeparator());
        const std::string out = dir.path().string();
        std::ofstream(printersFile) << R"({ "printers": [
          { "name": "Sheet 1440", "port": ")" +
                                           out + R"(/sheet.pdf", "dpi": [1440, 1440],
            "offset": [144, 72], "maxCopies": 4,
            "papers": { "9": [210, 297], "1": [215.9, 279.4], "5": [215.9, 355.6],
                        "120": [100, 150] } },
          { "name": "Raster 100", "port": ")" +
                                           out + R"(/raster.png", "format": "png",
            "dpi": [100, 100], "offset": [20, 10] },
          { "name": "Fixed Size", "port": ")" +
                                           out + R"(/fixed.pdf", "customSize": false },
          { "name": "Huge Offset", "port": ")" +
                                           out + R"(/huge.pdf", "dpi": [72, 72],
            "offset": [1700, 0] } ] })";
    }
    ~PrintingFixture() override { CurrentPrinter::instance().select(PrinterProfile::builtinPdf()); }

    // SetPageParameters with the sheet; the caller's variables come back in `sheet`.
    bool setUpPage(LabelPrinter& engine, Sheet& sheet) {
        return engine.SetPageParameters(sheet.printer, sheet.across, sheet.down, sheet.firstTop,
                                        sheet.firstLeft, sheet.hPitch, sheet.vPitch, sheet.unit,
                                        sheet.orientation, sheet.paper, Variant(sheet.width),
                                        Variant(sheet.height));
    }
    bool setUpPage(LabelPrinter& engine, Sheet&& sheet) { return setUpPage(engine, sheet); }

    // Starts tracing the current printer's context.
    TraceLog& tracePrinter() {
        DeviceContext* dc = findDC(CurrentPrinter::instance().hdc());
        dc->trace = std::make_unique<TraceLog>();
        return *dc->trace;
    }

    std::string log() const { return fileText(dir.path() / "BWERROR.LOG"); }

    TempDir dir;
    std::filesystem::path printersFile = dir.path() / "printers.json";
    ScopedEnv printers{"BWCTRLS_PRINTERS", printersFile.c_str()};
    RecordingHost host;
};

// The copy count in force at each page start of a trace (1 until a ResetDC changes it).
inline std::vector<int> pageCopies(const TraceLog& trace) {
    std::vector<int> copies;
    int inForce = 1;
    for (const TraceCall& call : trace.calls()) {
        if (call.op == "ResetDC") inForce = static_cast<int>(call.args.at(2));
        if (call.op == "StartPage") copies.push_back(inForce);
    }
    return copies;
}

inline std::size_t countOf(const TraceLog& trace, std::string_view op) {
    return trace.named(op).size();
}

} // namespace bw::test

#include "framework/Gdi.h"
#include "printing/FakeLabel.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintingFixture.h"

#include <cairo.h>
#include <cstring>
#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;
namespace fs = std::filesystem;

namespace {

class LabelPrinterRun : public PrintingFixture {
protected:
    // A label of 95 x 38 mm filled by one element with a per-label counter.
    FakeForm oneElementForm() {
        FakeForm form;
        form.add("P", RECT{0, 0, 5386, 2154}, true);
        return form;
    }
    fs::path out(const std::string& name) const { return dir.path() / name; }
};

// Pixels of a PNG page; ink is anything not white.
class PngPage {
public:
    explicit PngPage(const fs::path& file)
        : surface_(cairo_image_surface_create_from_png(file.c_str())) {}
    ~PngPage() { cairo_surface_destroy(surface_); }
    PngPage(const PngPage&) = delete;
    PngPage& operator=(const PngPage&) = delete;

    bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    bool ink(int x, int y) const {
        const unsigned char* row =
            cairo_image_surface_get_data(surface_) +
            static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_);
        std::uint32_t v = 0;
        std::memcpy(&v, row + 4 * x, 4);
        return (v & 0xFFFFFFu) != 0xFFFFFFu;
    }
    // The first inked pixel from (x, y) going right, or down; -1 when there is none.
    int firstInkRight(int x, int y) const {
        for (; x < cairo_image_surface_get_width(surface_); ++x)
            if (ink(x, y)) return x;
        return -1;
    }
    int firstInkDown(int x, int y) const {
        for (; y < cairo_image_surface_get_height(surface_); ++y)
            if (ink(x, y)) return y;
        return -1;
    }

private:
    cairo_surface_t* surface_;
};

} // namespace

TEST_F(LabelPrinterRun, WholeSheetsGoToTheDriverAsCopies) {
    struct Case {
        const char* what;
        std::int16_t paper;
        std::vector<std::int16_t> quantities;
        std::vector<int> copiesPerPage;
        std::int32_t sheetsBeforeEndRun;
        std::int32_t sheets;
        std::size_t plays;
    } const cases[] = {
        // 10 a sheet: the first page twice (labels 1-20), then 21-25 on a page of its own.
        {"25 labels", 1, {25}, {2, 1}, 2, 3, 15},
        // The driver makes at most 4 copies: pages of 4, 4 and 2 copies.
        {"100 labels", 1, {100}, {4, 4, 2}, 10, 10, 30},
        {"one full sheet, counted once", 1, {10}, {1}, 1, 1, 10},
        // Labels 4-10 finish the open page; then 18 remain, less than two sheets.
        {"a partly filled page", 1, {3, 25}, {1, 1, 1}, 2, 3, 28},
        {"paper 17 forbids copies", 17, {25}, {1, 1, 1}, 2, 3, 25},
    };
    for (const Case& c : cases) {
        LabelPrinter engine(host);
        Sheet sheet;
        sheet.down = 5;
        sheet.paper = c.paper;
        ASSERT_TRUE(setUpPage(engine, sheet));
        engine.setOutputFile(out("copies.pdf").string());
        TraceLog& trace = tracePrinter();
        FakeForm form = oneElementForm();
        ASSERT_TRUE(engine.StartRun("copies"));
        for (std::int16_t quan : c.quantities) EXPECT_FALSE(engine.PrintLabel(form, quan));
        EXPECT_EQ(engine.SheetsPrinted(), c.sheetsBeforeEndRun) << c.what;
        EXPECT_TRUE(engine.EndRun()) << c.what;
        EXPECT_EQ(engine.SheetsPrinted(), c.sheets) << c.what;
        EXPECT_EQ(pageCopies(trace), c.copiesPerPage) << c.what;
        EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), c.plays) << c.what;
        EXPECT_EQ(gdi::GetPagesWritten(CurrentPrinter::instance().hdc()), c.sheets) << c.what;
        EXPECT_TRUE(fs::exists(out("copies.pdf"))) << c.what;
        CurrentPrinter::instance().select(PrinterProfile::builtinPdf()); // a fresh page count
    }
}

TEST_F(LabelPrinterRun, SlotsFillRowsThenPagesAtWholeTwips) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{})); // 2 x 3, first label 5 x 10 mm, pitch 100 x 40 mm
    engine.setOutputFile(out("seven.pdf").string());
    TraceLog& trace = tracePrinter();
    FakeForm form = oneElementForm();
    ASSERT_TRUE(engine.StartRun("seven"));
    engine.PrintLabel(form, 7);
    EXPECT_EQ(engine.SheetsPrinted(), 1);
    EXPECT_EQ(engine.run().CurrentColumn, 2);
    EXPECT_EQ(engine.run().CurrentRow, 1);
    EXPECT_TRUE(engine.EndRun());
    EXPECT_EQ(engine.SheetsPrinted(), 2);

    // Twips at 1440 dpi are device units. The printable area starts 144 x 72 in, so the first
    // label is at 5 mm - 144 = 139.46 -> 139 and 10 mm - 72 = 494.93 -> 495; each step adds the
    // pitch (5669.286, 2267.714) to the whole position and rounds: 5808; 2763, then 5031.
    const std::vector<std::pair<int, int>> corners = {
        {139, 495}, {5808, 495}, {139, 2763}, {5808, 2763}, {139, 5031}, {5808, 5031}, {139, 495}};
    std::vector<std::pair<int, int>> origins;
    for (const TraceCall& call : trace.named("SetWindowOrgEx"))
        origins.emplace_back(-static_cast<int>(call.args[0]), -static_cast<int>(call.args[1]));
    EXPECT_EQ(origins, corners);
    std::vector<RECT> clips;
    for (const TraceCall& call : trace.named("SelectClipRgn"))
        if (call.args.size() == 4)
            clips.push_back(
                RECT{int(call.args[0]), int(call.args[1]), int(call.args[2]), int(call.args[3])});
    ASSERT_EQ(clips.size(), corners.size());
    for (std::size_t i = 0; i < clips.size(); ++i) // 95 x 38 mm: 5386 x 2154
        EXPECT_EQ(clips[i], (RECT{corners[i].first, corners[i].second, corners[i].first + 5386,
                                  corners[i].second + 2154}))
            << i;
    const std::vector<std::string> pageCalls = [&] {
        std::vector<std::string> ops;
        for (const TraceCall& call : trace.calls())
            if (call.op == "StartPage" || call.op == "EndPage" || call.op == "EndDoc")
                ops.push_back(call.op);
        return ops;
    }();
    EXPECT_EQ(pageCalls,
              (std::vector<std::string>{"StartPage", "EndPage", "StartPage", "EndPage", "EndDoc"}));
}

TEST_F(LabelPrinterRun, LabelsLandOnThePaperWhereTheSheetSays) {
    // A common A4 stock: 99.1 x 38.1 mm labels, first at 4.6 x 15.1 mm, pitch 101.6 x 38.1 mm,
    // on a 100 dpi raster printer whose printable area starts 20 x 10 dots in.
    LabelPrinter engine(host);
    Sheet sheet{"Raster 100", 2, 2, 15.1f, 4.6f, 101.6f, 38.1f, 6, 1, 1, 99.1f, 38.1f};
    ASSERT_TRUE(setUpPage(engine, sheet));
    // Ink from 200 twips inside the label's corner, so touching labels stay apart.
    constexpr double inset = 200 / 1440.0 * 25.4;
    FakeForm form;
    form.add("P", RECT{200, 200, 5418, 1960});
    ASSERT_TRUE(engine.StartRun("raster"));
    engine.PrintLabel(form, 3);
    ASSERT_TRUE(engine.EndRun());

    const PngPage page(out("raster-1.png"));
    ASSERT_TRUE(page.ok());
    EXPECT_FALSE(fs::exists(out("raster-2.png")));
    const auto dots = [](double millimetres) { return millimetres * 100 / 25.4; };
    struct Slot {
        double left, top; // mm on the paper
    } const slots[] = {{4.6, 15.1}, {106.2, 15.1}, {4.6, 53.2}};
    for (const Slot& s : slots) {
        const int midY = static_cast<int>(dots(s.top + 19));
        const int midX = static_cast<int>(dots(s.left + 50));
        EXPECT_NEAR(page.firstInkRight(static_cast<int>(dots(s.left - 1)), midY),
                    dots(s.left + inset), 1.0)
            << s.left << "," << s.top;
        EXPECT_NEAR(page.firstInkDown(midX, static_cast<int>(dots(s.top - 1))), dots(s.top + inset),
                    1.0)
            << s.left << "," << s.top;
    }
    EXPECT_FALSE(page.ink(static_cast<int>(dots(156)), static_cast<int>(dots(72))));   // 4th slot
    EXPECT_FALSE(page.ink(static_cast<int>(dots(104.5)), static_cast<int>(dots(30)))); // gap
}

TEST_F(LabelPrinterRun, PerImpressionCountersRecordEveryLabelAnew) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    engine.setOutputFile(out("impressions.pdf").string());
    TraceLog& trace = tracePrinter();
    FakeForm form;
    FakeElement& counter = form.add("P", RECT{0, 0, 2000, 500}, true, true);
    form.add("P", RECT{0, 600, 2000, 1100});
    ASSERT_TRUE(engine.StartRun("impressions"));
    engine.PrintLabel(form, 3);
    EXPECT_EQ(form.journal,
              (std::vector<std::string>{"e1.LPrint", "e2.LPrint", "e1.impression", "e1.LPrint",
                                        "e2.LPrint", "e1.impression", "e1.LPrint", "e2.LPrint",
                                        "e1.impression", "e1.label", "e1.reset"}));
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 3u);
    EXPECT_EQ(counter.printedOn, std::vector<int>(3, OBJ_ENHMETADC));

    // Without one, the label is recorded once and played for every copy.
    FakeForm plain = oneElementForm();
    engine.PrintLabel(plain, 3);
    EXPECT_EQ(plain.journal, (std::vector<std::string>{"e1.LPrint", "e1.label"}));
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 6u);
    EXPECT_TRUE(engine.EndRun());
}

TEST_F(LabelPrinterRun, NoCounterMovesForLabelsThePrinterNeverGot) {
    struct Case {
        const char* what;
        std::int16_t quan;
        bool perImpression;
        bool documentStarts;
        std::vector<std::string> journal;
    } const cases[] = {
        {"quan 0", 0, false, true, {"e1.LPrint"}},
        {"quan -1", -1, false, true, {"e1.LPrint"}},
        {"quan 0 per impression", 0, true, true, {}},
        {"quan -1 per impression", -1, true, true, {}},
        // The output folder is missing: the run never started, so no page can be printed.
        {"no document", 3, false, false, {"e1.LPrint"}},
        {"no document per impression", 3, true, false, {"e1.LPrint"}},
    };
    for (const Case& c : cases) {
        LabelPrinter engine(host);
        ASSERT_TRUE(setUpPage(engine, Sheet{}));
        engine.setOutputFile(out(c.documentStarts ? "none.pdf" : "missing/none.pdf").string());
        TraceLog& trace = tracePrinter();
        FakeForm form;
        form.add("P", RECT{0, 0, 2000, 500}, true, c.perImpression);
        EXPECT_EQ(engine.StartRun("none"), c.documentStarts) << c.what;
        EXPECT_TRUE(engine.run().RunOpen) << c.what;
        engine.PrintLabel(form, c.quan);
        EXPECT_EQ(form.journal, c.journal) << c.what;
        EXPECT_EQ(countOf(trace, "StartPage"), 0u) << c.what;
        EXPECT_EQ(engine.EndRun(), c.documentStarts) << c.what;
        EXPECT_EQ(engine.SheetsPrinted(), 0) << c.what;
    }
    EXPECT_NE(log().find("Call info: LabelPrinter:PrintMeta"), std::string::npos);
}

TEST_F(LabelPrinterRun, OnlyControlsTaggedPAreprintedOrCounted) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    engine.setOutputFile(out("tags.pdf").string());
    FakeForm form;
    for (const char* tag : {"p", "", "PP", " P", "CLEARRECT", "P"})
        form.add(tag, RECT{0, 0, 100, 100}, true, false);
    form.add("p", RECT{0, 0, 100, 100}, true, true); // an impression counter on an ignored control
    ASSERT_TRUE(engine.StartRun("tags"));
    engine.PrintLabel(form, 2);
    EXPECT_EQ(form.journal, (std::vector<std::string>{"e6.LPrint", "e6.label"}));
    EXPECT_TRUE(engine.EndRun());

    // A form without controls still fills its slots, blank, and counts nothing.
    FakeForm empty;
    ASSERT_TRUE(engine.StartRun("empty"));
    TraceLog& trace = tracePrinter();
    engine.PrintLabel(empty, 4);
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 4u);
    EXPECT_TRUE(engine.EndRun());
    EXPECT_EQ(engine.SheetsPrinted(), 1);
}

TEST_F(LabelPrinterRun, AFailingElementIsLoggedAndTheRestPrinted) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    engine.setOutputFile(out("failing.pdf").string());
    TraceLog& trace = tracePrinter();
    FakeForm form;
    form.add("P", RECT{0, 0, 100, 100}, true).failPrint = true;
    form.add("P", RECT{0, 200, 100, 300}, true);
    ASSERT_TRUE(engine.StartRun("failing"));
    engine.PrintLabel(form, 2);
    EXPECT_EQ(form.journal,
              (std::vector<std::string>{"e1.LPrint", "e2.LPrint", "e1.label", "e2.label"}));
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 2u);
    const std::string entries = log();
    EXPECT_NE(entries.find("Description: Division by zero\r\n"
                           "Call info: LabelPrinter:SMPrintType\r\n"),
              std::string::npos)
        << entries;

    // A form that cannot count its controls prints nothing.
    FakeForm broken = oneElementForm();
    broken.failCount = true;
    engine.PrintLabel(broken, 2);
    EXPECT_TRUE(broken.journal.empty());
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 2u);
    EXPECT_NE(log().find("Call info: LabelPrinter:PrintLabel"), std::string::npos);
    EXPECT_TRUE(engine.EndRun());
}

TEST_F(LabelPrinterRun, StartRunWhileARunIsOpenEndsItAndKeepsThePosition) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    FakeForm form = oneElementForm();
    engine.setOutputFile(out("first.pdf").string());
    ASSERT_TRUE(engine.StartRun("first"));
    engine.PrintLabel(form, 3);
    engine.setOutputFile(out("second.pdf").string());
    ASSERT_TRUE(engine.StartRun("second"));
    EXPECT_TRUE(fs::exists(out("first.pdf")));
    EXPECT_FALSE(fs::exists(out("first.pdf.part")));
    EXPECT_EQ(engine.SheetsPrinted(), 0);
    // The printable-area offset is taken off once per set-up, however many runs it serves.
    EXPECT_EQ(engine.run().LabelX, 139);
    EXPECT_EQ(engine.run().LabelY, 495);
    EXPECT_EQ(engine.run().CurrentColumn, 1);
    engine.PrintLabel(form, 1);
    EXPECT_TRUE(engine.EndRun());
    EXPECT_EQ(engine.SheetsPrinted(), 1);
    EXPECT_FALSE(engine.EndRun()); // nothing open any more

    {
        LabelPrinter dropped(host);
        ASSERT_TRUE(setUpPage(dropped, Sheet{}));
        dropped.setOutputFile(out("dropped.pdf").string());
        ASSERT_TRUE(dropped.StartRun("dropped"));
        dropped.PrintLabel(form, 1);
    }
    EXPECT_TRUE(fs::exists(out("dropped.pdf"))); // what was printed is not lost
}

TEST_F(LabelPrinterRun, KillRunAbortsAndTheNextRunRecovers) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    FakeForm form = oneElementForm();
    engine.setOutputFile(out("killed.pdf").string());
    ASSERT_TRUE(engine.StartRun("killed"));
    engine.PrintLabel(form, 3);
    engine.KillRun();
    EXPECT_TRUE(engine.run().RunOpen);
    engine.PrintLabel(form, 2); // no page to print on: not counted
    EXPECT_EQ(form.journal, (std::vector<std::string>{"e1.LPrint", "e1.label", "e1.LPrint"}));
    EXPECT_FALSE(engine.EndRun());
    EXPECT_EQ(engine.SheetsPrinted(), 0); // the aborted page never came out
    EXPECT_FALSE(fs::exists(out("killed.pdf")));
    EXPECT_FALSE(fs::exists(out("killed.pdf.part")));

    engine.setOutputFile(out("after.pdf").string());
    ASSERT_TRUE(engine.StartRun("after"));
    engine.PrintLabel(form, 1);
    EXPECT_TRUE(engine.EndRun());
    EXPECT_TRUE(fs::exists(out("after.pdf")));
}

TEST_F(LabelPrinterRun, AFailedStartRunRaisesTheUntrappedError) {
    LabelPrinter engine(host);
    Sheet sheet;
    sheet.printer = "Huge Offset"; // 1700 dots at 72 dpi: no printable area, no 16-bit offset
    EXPECT_THROW(setUpPage(engine, sheet), HostError);
    try {
        engine.StartRun("huge");
        FAIL() << "StartRun did not raise";
    } catch (const HostError& e) {
        EXPECT_EQ(e.info(), (ErrorInfo{12345, "BW:LabelPrinter:StartRun", "Untrapped Error", 0}));
    }
    EXPECT_NE(log().find("Call info: LabelPrinter:StartRun"), std::string::npos);
}

TEST_F(LabelPrinterRun, HostRecordingsAndDirectPrinting) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    engine.setOutputFile(out("direct.pdf").string());
    TraceLog& trace = tracePrinter();
    FakeForm form = oneElementForm();
    FakeElement& element = dynamic_cast<FakeElement&>(form.Controls(0).oref());
    const HDC printer = CurrentPrinter::instance().hdc();
    const RECT frame{0, 0, 20500, 29000};
    const HDC surface = gdi::CreateEnhMetaFile(printer, &frame);
    engine.AddToMeta(surface, element);
    const HENHMETAFILE recording = engine.EndMeta(surface);
    ASSERT_NE(recording, 0u);
    ASSERT_TRUE(engine.StartRun("direct"));
    EXPECT_FALSE(engine.PrintMeta(recording, 2, 0));
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 2u);
    engine.PrintControl(element);
    EXPECT_EQ(element.printedOn, (std::vector<int>{OBJ_ENHMETADC, OBJ_DC}));
    EXPECT_TRUE(engine.DeleteMeta(recording));
    EXPECT_FALSE(engine.DeleteMeta(recording));
    EXPECT_EQ(engine.EndMeta(surface), 0u);
    EXPECT_FALSE(engine.Benddoc());
    EXPECT_TRUE(engine.EndRun());
    EXPECT_EQ(form.journal.size(), 2u); // drawn twice, counted never
}

TEST_F(LabelPrinterRun, SheetsPrintedIsKeptButNeverSet) {
    LabelPrinter engine(host);
    PropertyBag bag;
    bag.set("sheetsprinted", Variant(std::int32_t{7}));
    engine.ReadProperties(bag);
    EXPECT_EQ(engine.getProperty("SheetsPrinted"), Variant(std::int32_t{7}));
    PropertyBag saved;
    engine.WriteProperties(saved);
    EXPECT_EQ(saved.read("SheetsPrinted", Variant()), Variant(std::int32_t{7}));
    engine.InitProperties();
    PropertyBag fresh;
    engine.WriteProperties(fresh);
    EXPECT_TRUE(fresh.empty()); // 0 is the default

    for (const bool design : {false, true}) {
        engine.setDesignMode(design);
        try {
            engine.setProperty("SheetsPrinted", Variant(std::int32_t{3}));
            FAIL() << "SheetsPrinted was set";
        } catch (const HostError& e) {
            EXPECT_EQ(e.number(), design ? 387 : 382);
        }
    }
    EXPECT_EQ(engine.SheetsPrinted(), 0);
}

TEST_F(LabelPrinterRun, LateBoundCallsWriteBackTheirArguments) {
    LabelPrinter engine(host);
    std::vector<Variant> args = {Variant("Sheet 1440"),
                                 Variant(std::int16_t{2}),
                                 Variant(std::int16_t{120}),
                                 Variant(10.0f),
                                 Variant(5.0f),
                                 Variant(100.0f),
                                 Variant(40.0f),
                                 Variant(std::int16_t{6}),
                                 Variant(std::int16_t{1}),
                                 Variant(std::int16_t{20}),
                                 Variant(95.0),
                                 Variant("38")};
    EXPECT_EQ(engine.callMethod("SetPageParameters", args), Variant(true));
    EXPECT_EQ(args[2], Variant(std::int16_t{1})); // stock paper 4 (+16) took labels down
    EXPECT_EQ(args[9], Variant(std::int16_t{4}));
    EXPECT_FALSE(engine.geometry().DriverCopies);
    EXPECT_FLOAT_EQ(engine.geometry().LabelHeight, 38 * 56.69286f);

    std::vector<Variant> notAForm = {Variant(static_cast<Object*>(&engine)),
                                     Variant(std::int16_t{1})};
    try {
        engine.callMethod("PrintLabel", notAForm);
        FAIL() << "PrintLabel took a label printer for a form";
    } catch (const HostError& e) {
        EXPECT_EQ(e.number(), err::typeMismatch);
    }
}

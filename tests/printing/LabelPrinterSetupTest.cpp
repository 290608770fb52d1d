#include "framework/Gdi.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintingFixture.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

using LabelPrinterSetup = PrintingFixture;

constexpr float mm = 56.69286f; // the system's twips per millimetre

} // namespace

TEST_F(LabelPrinterSetup, MapsThePrinterToTwipsFromThePrintableCorner) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    const HDC hdc = CurrentPrinter::instance().hdc();
    EXPECT_EQ(CurrentPrinter::instance().profile().name, "Sheet 1440");
    // A4 at 1440 dpi less the offset on both sides: 11906 - 2 * 144 across, 16838 - 2 * 72 down.
    const PageGeometry& g = engine.geometry();
    EXPECT_EQ(g.PageWidthDevice, 11618);
    EXPECT_EQ(g.PageHeightDevice, 16694);
    EXPECT_EQ(g.PageWidthTwips, 11618);
    EXPECT_EQ(g.PageWidthMM, 205);
    SIZE window;
    SIZE viewport;
    gdi::GetWindowExtEx(hdc, &window);
    gdi::GetViewportExtEx(hdc, &viewport);
    EXPECT_EQ(gdi::GetMapMode(hdc), MM_ANISOTROPIC);
    EXPECT_EQ(window, (SIZE{11618, -16694}));
    EXPECT_EQ(viewport, (SIZE{11618, -16694}));
    EXPECT_EQ(g.LabelsPerSheet, 6);
    EXPECT_EQ(g.MaxCopies, 4);
    EXPECT_TRUE(g.DriverCopies);
    EXPECT_EQ(g.recordingWindow, (RECT{0, 0, 5386, 2154})); // 95 x 38 mm
    EXPECT_EQ(g.recordingViewport, (RECT{0, 0, 5386, 2154}));
    EXPECT_EQ(CurrentPrinter::instance().settings().dmCopies, 1);
}

TEST_F(LabelPrinterSetup, UnitFactorsAsTheSystemDefinesThem) {
    struct Case {
        std::int16_t unit;
        float factor;
    } const cases[] = {
        {5, 1440.0f}, // inches
        {6, mm},      // millimetres: 56.69286, not 1440 / 25.4
        {7, 10 * mm}, // centimetres
        {1, 0.0f},    // any other code: every length 0
        {0, 0.0f},
    };
    for (const Case& c : cases) {
        LabelPrinter engine(host);
        Sheet sheet;
        sheet.unit = c.unit;
        sheet.firstLeft = 10;
        ASSERT_TRUE(setUpPage(engine, sheet));
        engine.SetPrinterCompensate(2, 3, 1.5f, 0.5f);
        const PageGeometry& g = engine.geometry();
        EXPECT_FLOAT_EQ(g.FirstLeft, 12 * c.factor) << c.unit; // 10 + iLE 2
        EXPECT_FLOAT_EQ(g.FirstTop, 13 * c.factor) << c.unit;  // 10 + iTE 3
        EXPECT_FLOAT_EQ(g.PitchX, 150 * c.factor) << c.unit;
        EXPECT_FLOAT_EQ(g.PitchY, 20 * c.factor) << c.unit;
        EXPECT_FLOAT_EQ(g.LabelWidth, 95 * c.factor) << c.unit; // never compensated
        EXPECT_FLOAT_EQ(g.LabelHeight, 38 * c.factor) << c.unit;
    }
}

TEST_F(LabelPrinterSetup, LandscapeLegalMovesTheFirstLabelRight) {
    struct Case {
        std::int16_t orientation;
        std::int16_t paper;
        float shift;
    } const cases[] = {{2, 2, 3326}, {1, 2, 0}, {2, 1, 0}, {2, 5, 0}};
    for (const Case& c : cases) {
        LabelPrinter engine(host);
        Sheet sheet;
        sheet.orientation = c.orientation;
        sheet.paper = c.paper;
        ASSERT_TRUE(setUpPage(engine, sheet));
        EXPECT_FLOAT_EQ(engine.geometry().FirstLeft, 5 * mm + c.shift)
            << c.orientation << "/" << c.paper;
        EXPECT_EQ(CurrentPrinter::instance().settings().dmOrientation, c.orientation);
    }
}

TEST_F(LabelPrinterSetup, PaperSettingsAndTheDriverCopiesFlag) {
    struct Case {
        std::int16_t setting;
        int paperCode;
        std::int16_t settingAfter;
        bool driverCopies;
    } const cases[] = {
        {9, DMPAPER_A4, 9, true}, // no such setting: the printer's paper stays
        {2, DMPAPER_LEGAL, 2, true}, {5, DMPAPER_LETTER, 5, true},   {1, DMPAPER_A4, 1, true},
        {17, DMPAPER_A4, 1, false},  {21, DMPAPER_LETTER, 5, false},
    };
    for (const Case& c : cases) {
        LabelPrinter engine(host);
        Sheet sheet;
        sheet.paper = c.setting;
        ASSERT_TRUE(setUpPage(engine, sheet));
        EXPECT_EQ(sheet.paper, c.settingAfter) << c.setting;
        EXPECT_EQ(CurrentPrinter::instance().settings().dmPaperSize, c.paperCode) << c.setting;
        EXPECT_EQ(engine.geometry().DriverCopies, c.driverCopies) << c.setting;
    }
}

TEST_F(LabelPrinterSetup, PreDefinedStockTakesItsCodeFromLabelsDown) {
    LabelPrinter engine(host);
    Sheet sheet;
    sheet.paper = 4;
    sheet.down = 120;
    ASSERT_TRUE(setUpPage(engine, sheet));
    EXPECT_EQ(sheet.down, 1); // the caller's variable
    EXPECT_EQ(CurrentPrinter::instance().settings().dmPaperSize, 120);
    EXPECT_EQ(engine.geometry().LabelsPerSheet, 1);
    EXPECT_EQ(engine.geometry().LabelsDown, 1);
    EXPECT_EQ(engine.pageParameters().ld, 1);
}

TEST_F(LabelPrinterSetup, CustomPaperFromThePitchOrTheLabel) {
    struct Case {
        float vPitch;
        float hPitch;
        int lengthTenths; // the paper the driver now holds, 0.1 mm
        int widthTenths;
    } const cases[] = {{0, 0, 380, 950}, {30, 0, 300, 950}, {30, 120, 300, 1200}};
    for (const Case& c : cases) {
        LabelPrinter engine(host);
        Sheet sheet;
        sheet.printer = "PDF";
        sheet.paper = 3;
        sheet.vPitch = c.vPitch;
        sheet.hPitch = c.hPitch;
        ASSERT_TRUE(setUpPage(engine, sheet));
        const DEVMODE& s = CurrentPrinter::instance().settings();
        EXPECT_EQ(s.dmPaperSize, DMPAPER_USER);
        EXPECT_EQ(s.dmPaperLength, c.lengthTenths) << c.vPitch;
        EXPECT_EQ(s.dmPaperWidth, c.widthTenths) << c.hPitch;
    }
    EXPECT_TRUE(host.messageBoxes.empty()); // rounding to 0.1 mm stays well within 1 %
}

TEST_F(LabelPrinterSetup, ADriverRefusingTheCustomHeightIsReported) {
    LabelPrinter engine(host);
    Sheet sheet;
    sheet.printer = "Fixed Size";
    sheet.paper = 3;
    ASSERT_TRUE(setUpPage(engine, sheet));
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].text,
              "Printer driver did not accept height settings\r\n"
              "Use Printer Calibration to set Printer to use pre-defined labels");
    EXPECT_EQ(host.messageBoxes[0].buttons, msgbox::okOnly);
    EXPECT_EQ(CurrentPrinter::instance().settings().dmPaperSize, DMPAPER_A4); // as it was
}

TEST_F(LabelPrinterSetup, PrinterNamesMatchExactly) {
    LabelPrinter engine(host);
    for (const char* name : {"Nope", "sheet 1440", "PDF "}) {
        Sheet sheet;
        sheet.printer = name;
        EXPECT_FALSE(setUpPage(engine, sheet)) << name;
        EXPECT_EQ(host.messageBoxes.back().text, std::string("Invalid Printer Name: ") + name);
        EXPECT_EQ(CurrentPrinter::instance().profile().name, "PDF");
    }
    EXPECT_EQ(engine.geometry().LabelsPerSheet, 0); // nothing else changed

    // The driver check ignores letter case; it only looks when told to.
    EXPECT_EQ(engine.CheckDriverCompatability("sheet 1440", 1), 1);
    EXPECT_EQ(CurrentPrinter::instance().profile().name, "Sheet 1440");
    EXPECT_EQ(engine.CheckDriverCompatability("Sheet 1440", 0), -2);
    EXPECT_EQ(engine.CheckDriverCompatability("Nope", 1), -2);
}

TEST_F(LabelPrinterSetup, SetUpAgainRestoresTheGridAndTheCompensationStays) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    engine.SetPrinterCompensate(0, 0, 2.0f, 1.0f);
    EXPECT_FLOAT_EQ(engine.geometry().PitchX, 200 * mm);
    Sheet other;
    other.across = 3;
    other.down = 7;
    ASSERT_TRUE(setUpPage(engine, other));
    EXPECT_EQ(engine.geometry().LabelsAcross, 3);
    EXPECT_EQ(engine.geometry().LabelsDown, 7);
    EXPECT_EQ(engine.geometry().LabelsPerSheet, 21);
    EXPECT_FLOAT_EQ(engine.geometry().PitchX, 200 * mm);
}

TEST_F(LabelPrinterSetup, CopiesKeepTheMappingAndCheckCopiesShowsThem) {
    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    const HDC hdc = CurrentPrinter::instance().hdc();
    EXPECT_FALSE(engine.SetCopies(3));
    EXPECT_EQ(CurrentPrinter::instance().settings().dmCopies, 3);
    SIZE window;
    gdi::GetWindowExtEx(hdc, &window);
    EXPECT_EQ(window, (SIZE{11618, -16694}));
    EXPECT_EQ(gdi::GetMapMode(hdc), MM_ANISOTROPIC);

    std::int32_t handle = 0;
    EXPECT_TRUE(engine.CheckCopies(handle).isEmpty());
    EXPECT_NE(handle, 0);
    EXPECT_EQ(host.messageBoxes.back().text, "copy count is: 3");
    EXPECT_FALSE(engine.oldSetCopies(7));
    EXPECT_EQ(CurrentPrinter::instance().settings().dmCopies, 3);
}

TEST_F(LabelPrinterSetup, PrinterDialogAndCalibrationPaper) {
    LabelPrinter engine(host);
    EXPECT_TRUE(engine.SetPrinter().isEmpty());
    EXPECT_EQ(host.printerDialogs, std::vector<std::string>{""});
    engine.SetPaperSize(256);
    EXPECT_EQ(engine.calibrationPaperSize(), 256);
}

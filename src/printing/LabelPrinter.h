#pragma once
// The print engine. The host describes the label stock (SetPageParameters: printer, paper,
// labels across and down, first label, pitch, label size), opens a run (StartRun), hands it
// label forms with quantities (PrintLabel) and closes the run (EndRun or KillRun). Each label
// is recorded once and played into successive slots: across a row, down the rows, onto a new
// page when the sheet is full. Whole identical sheets go to the driver as one page with a copy
// count, and the elements' counters advance per label and per impression.
//
// The engine prints on the process's current printer, whose context page set-up maps to twips
// with the origin at the printable area's top-left corner and y downwards.
//
// Every operation traps its own failures and logs them under "LabelPrinter:<routine>";
// StartRun and SetPageParameters raise error 12345 to the caller as well, and the operations
// that say so let failures through.
//
// Page set-up lives in LabelPrinterSetup.cpp, the run and the label loop in
// LabelPrinterRun.cpp, the flipped, flash and trigger modes in LabelPrinterModes.cpp.

#include "framework/CurrentPrinter.h"
#include "framework/EventSink.h"
#include "framework/HostServices.h"
#include "framework/MemberTable.h"
#include "framework/PropertyBag.h"
#include "printing/LabelForm.h"
#include "printing/LabelPrinterState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace bw {

class LabelPrinter : public TableObject<LabelPrinter> {
public:
    static constexpr std::string_view packDetectedEvent = "PackDetected";
    static constexpr std::int32_t untrappedError = 12345;

    explicit LabelPrinter(HostServices& host = currentHost());
    // A run still open is ended, so what was printed is not lost and the printer is free.
    ~LabelPrinter() override;
    LabelPrinter(const LabelPrinter&) = delete;
    LabelPrinter& operator=(const LabelPrinter&) = delete;

    static const MemberTable<LabelPrinter>& memberTable();

    // ---- Page set-up -------------------------------------------------------------------
    // Selects printer `m_pd` (exact name) and sets up paper, orientation, the twip mapping
    // and the label geometry. A paper setting above 16 forbids driver copies and loses its
    // 16 in the caller's variable; paper setting 4 takes the paper code from `m_ld`, which
    // becomes 1. False, after a message, when there is no such printer.
    bool SetPageParameters(const std::string& m_pd, std::int16_t m_la, std::int16_t& m_ld,
                           float m_flt, float m_fll, float m_hs, float m_vs, std::int16_t m_su,
                           std::int16_t m_orientation, std::int16_t& m_PaperSetting,
                           const Variant& m_lw, const Variant& m_lh);
    Variant SetPrinterCompensate(std::int16_t iLE, std::int16_t iTE, float sWE, float sHE);
    // The driver's copy count, keeping the context's mapping; returns false.
    bool SetCopies(std::int16_t NumCopies);
    bool oldSetCopies(std::int16_t) { return false; }
    // Shows the copy count the driver reports; `handle` gets the printer handle used.
    Variant CheckCopies(std::int32_t& handle);
    Variant SetPrinter();
    Variant SetPaperSize(std::int16_t ps);
    // -2: printer not selected; 1: the driver scales fonts; 2: it does not.
    std::int16_t CheckDriverCompatability(const std::string& lcPrinter, std::int16_t n);

    // ---- Runs --------------------------------------------------------------------------
    // Opens a document named `s`; true when it was started.
    bool StartRun(const std::string& s);
    // Prints `quan` labels of `xlabel`; returns false. Counters advance only for labels that
    // reached the printer.
    bool PrintLabel(LabelForm& xlabel, std::int16_t quan);
    // Plays a finished recording into `quan` successive slots; returns false.
    bool PrintMeta(HENHMETAFILE theMeta, std::int16_t quan, HENHMETAFILE Flashmeta);
    // Lets an element draw straight onto the current page, in the last slot's mapping.
    void PrintControl(PrintableElement& theControl);
    void AddToMeta(HDC theMeta, PrintableElement& theControl);
    HENHMETAFILE EndMeta(HDC theMeta);
    bool DeleteMeta(HENHMETAFILE theMeta);
    // Ends the run; true when the document was ended.
    bool EndRun();
    // Aborts the run's document. The run stays open until EndRun or the next StartRun.
    void KillRun();
    bool Benddoc() { return false; }

    // Pages completed in the current run, driver copies included.
    std::int32_t SheetsPrinted() const { return run_.SheetsPrinted; }
    // Always fails: 387 in design mode, 382 at run time.
    [[noreturn]] void setSheetsPrinted(std::int32_t value);

    // ---- Container ---------------------------------------------------------------------
    void setEventSink(EventSink* sink) { events_ = sink; }
    // The container's ambient user mode: true while the host designs its form.
    void setDesignMode(bool designMode) { designMode_ = designMode; }
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    // The file the next runs' documents go to; empty: the printer's port.
    void setOutputFile(std::string path) { outputFile_ = std::move(path); }

    // ---- State, read only ---------------------------------------------------------------
    const PageParameters& pageParameters() const { return page_; }
    const Compensation& compensation() const { return compensation_; }
    const PageGeometry& geometry() const { return geometry_; }
    const RunState& run() const { return run_; }
    const FlipState& flip() const { return flip_; }
    const FlashState& flash() const { return flash_; }
    std::int16_t calibrationPaperSize() const { return calibrationPaperSize_; }

private:
    struct StepSurfaces {
        HDC label = 0;
        HDC flipped = 0;
        HDC flash = 0;
    };
    struct StepResult {
        bool result = false;
        std::int32_t played = 0; // labels handed to the printer, driver copies included
    };

    // Page set-up.
    void ReCalcTwipsPage();
    void setPaper(std::int16_t setting, std::int16_t& m_ld);
    void setCustomPaper(float m_vs, float m_hs, const Variant& m_lw, const Variant& m_lh,
                        std::int16_t m_su);
    void mapPrinterContext();

    // The label loop.
    StepResult SMPrintLabel(LabelForm& xlabel, std::int16_t quan);
    void SMPrintType(LabelControl& control, bool printNormal, bool printFlipped,
                     const StepSurfaces& surfaces);
    HDC StartMeta(const RECT& window, const RECT& viewport);
    void IncrementLabel(LabelForm& xlabel);
    void IncrementImpression(LabelForm& xlabel);
    void ResetImpressions(LabelForm& xlabel);
    bool printMetaCounting(HENHMETAFILE theMeta, std::int16_t quan, HENHMETAFILE flashMeta,
                           std::int32_t& played);
    void playSlots(HENHMETAFILE theMeta, std::int16_t quan, HENHMETAFILE flashMeta,
                   std::int32_t& played);
    // Starts the page a slot needs; the labels the extra driver copies print.
    std::int32_t startSheet(HDC hdc, std::int32_t remaining);
    void placeSlot(HDC hdc, std::int32_t x, std::int32_t y);
    void advanceSlot(HDC hdc);
    void endSheet(HDC hdc);
    int StartPageKeepMapping(HDC hdc);
    int EndPageKeepMapping(HDC hdc);

    // The flipped, flash and trigger modes: their branch points in the loop.
    void AddtoFlippedMeta(LabelControl& control, HDC flippedSurface);
    void recordAcrossSlice(PrintableElement& element, bool printNormal, bool printFlipped,
                           LabelControl& control, const StepSurfaces& surfaces);
    bool PrintFlipMetas(HENHMETAFILE normalMeta, HENHMETAFILE flippedMeta, std::int16_t quan,
                        HENHMETAFILE flashMeta, std::int32_t& played);
    void playFlash(HDC hdc, HENHMETAFILE flashMeta, int column, int row);
    void openTriggerPort();
    void closeTriggerPort();
    // Raised by the trigger logic; the handler may change the count.
    void PackDetected(float& qc);

    HostServices& host_;
    CurrentPrinter& printer_;
    EventSink* events_ = nullptr;
    bool designMode_ = false;
    std::string outputFile_;

    PageParameters page_;
    Compensation compensation_;
    PageGeometry geometry_;
    std::int16_t calibrationPaperSize_ = 0;
    RunState run_;
    UniqueGdiObject labelClip_;
    FlipState flip_;
    FlashState flash_;
    TriggerState trigger_;
};

} // namespace bw

// LabelPrinter: runs and the label loop. A label is recorded once per step by letting every
// printable element draw on a recording in twips, and the recording is played into slots:
// the window origin puts the recording's origin on the slot's corner and a clip keeps the
// label inside it.

#include "framework/Gdi.h"
#include "framework/Guarded.h"
#include "printing/DeviceMapping.h"
#include "printing/LabelPrinter.h"
#include "printing/LabelPrinterDetail.h"
#include "printing/LabelRecording.h"

#include <algorithm>
#include <span>

namespace bw {

using detail::failPrinter;
using detail::wholeTwips;

namespace {

constexpr std::string_view printableTag = "P";

// Calls `f` for every control tagged "P", in the form's order.
template <class F>
void forEachPrintable(LabelForm& form, F&& f) {
    const std::int32_t count = form.ControlCount();
    for (std::int32_t i = 0; i < count; ++i) {
        LabelControl& control = form.Controls(i);
        if (control.Tag() == printableTag) f(control);
    }
}

// A position stepped by a single-precision pitch stays a whole number of twips.
std::int32_t stepTwips(std::int32_t position, float pitch) {
    return wholeTwips(double(position) + double(pitch));
}

} // namespace

// ---- Run life cycle ----------------------------------------------------------------------

bool LabelPrinter::StartRun(const std::string& s) {
    bool started = false;
    try {
        if (run_.RunOpen) EndRun();
        run_.CurrentColumn = flip_.FlipMode ? 2 : 1;
        run_.PageHasLabels = false;
        run_.CurrentRow = 1;

        const HDC hdc = printer_.hdc();
        const int resX = gdi::GetDeviceCaps(hdc, LOGPIXELSX);
        const int resY = gdi::GetDeviceCaps(hdc, LOGPIXELSY);
        if (resX <= 0 || resY <= 0) failPrinter("no resolution");
        const auto offsetX = toInt16(gdi::GetDeviceCaps(hdc, PHYSICALOFFSETX) * 1440.0 / resX);
        const auto offsetY = toInt16(gdi::GetDeviceCaps(hdc, PHYSICALOFFSETY) * 1440.0 / resY);
        if (!offsetX || !offsetY) throw HostError(err::overflow, "Overflow");
        run_.OffsetX = *offsetX;
        run_.OffsetY = *offsetY;
        // Page set-up measures from the paper's edge, the context from the printable area's;
        // a set-up is moved once, however many runs it serves.
        if (!run_.offsetApplied) {
            geometry_.FirstLeft -= run_.OffsetX;
            geometry_.FirstTop -= run_.OffsetY;
            run_.offsetApplied = true;
        }
        run_.LabelX = wholeTwips(geometry_.FirstLeft);
        run_.LabelY = wholeTwips(geometry_.FirstTop);

        const DOCINFO doc{s, outputFile_};
        run_.RunOpen = true;
        run_.SheetsPrinted = 0;
        run_.pageOpen = false;
        started = gdi::StartDoc(hdc, doc) > 0;
        if (started) run_.PageToStart = true;
    } catch (...) {
        reportFailure(host_, "LabelPrinter:StartRun");
        throw HostError(untrappedError, "Untrapped Error", "BW:LabelPrinter:StartRun");
    }
    if (started && trigger_.ExternalTrigger && !trigger_.portOpen) openTriggerPort();
    return started;
}

bool LabelPrinter::EndRun() {
    bool ended = false;
    guarded(host_, "LabelPrinter:EndRun", [&] {
        if (!run_.RunOpen) return;
        const HDC hdc = printer_.hdc();
        bool pageEnded = false;
        if (run_.pageOpen) {
            pageEnded = EndPageKeepMapping(hdc) > 0;
            run_.pageOpen = false;
        }
        ended = gdi::EndDoc(hdc) > 0;
        // Only a page that came out counts; an aborted one does not.
        if (run_.PageHasLabels && pageEnded) ++run_.SheetsPrinted;
        run_.PageHasLabels = false;
        labelClip_.reset();
        flash_.FlashClip.reset();
        run_.RunOpen = false;
    });
    return ended;
}

void LabelPrinter::KillRun() {
    gdi::AbortDoc(printer_.hdc());
    run_.pageOpen = false;
    if (trigger_.ExternalTrigger && trigger_.portOpen) closeTriggerPort();
}

// ---- Label steps -------------------------------------------------------------------------

bool LabelPrinter::PrintLabel(LabelForm& xlabel, std::int16_t quan) {
    bool result = false;
    guarded(host_, "LabelPrinter:PrintLabel", [&] {
        const std::int32_t controls = xlabel.ControlCount();
        bool perImpression = false;
        if (controls != 0)
            forEachPrintable(xlabel, [&](LabelControl& control) {
                perImpression = perImpression || control.GetHasImpressionIncr();
            });
        std::int32_t played = 0;
        if (perImpression) {
            // Each impression is recorded anew, after the previous one's increment.
            for (std::int32_t i = 1; i <= quan; ++i) {
                const StepResult step = SMPrintLabel(xlabel, 1);
                result = step.result;
                if (step.played == 0) break; // the printer took nothing: no count for it
                played += step.played;
                IncrementImpression(xlabel);
            }
        } else {
            const StepResult step = SMPrintLabel(xlabel, quan);
            result = step.result;
            played = step.played;
        }
        // A counter advances for labels that were printed, never for none.
        if (controls > 0 && played > 0) {
            IncrementLabel(xlabel);
            ResetImpressions(xlabel);
        }
    });
    return result;
}

LabelPrinter::StepResult LabelPrinter::SMPrintLabel(LabelForm& xlabel, std::int16_t quan) {
    StepResult step;
    guarded(host_, "LabelPrinter:SMPrintLabel", [&] {
        bool printNormal = true;
        bool printFlipped = false;
        if (flip_.FlipMode) {
            printNormal = !flip_.FlipNext || quan > 1;
            printFlipped = flip_.FlipNext || quan > 1;
        }
        const PageGeometry& g = geometry_;
        LabelRecording normal;
        LabelRecording flipped;
        LabelRecording flash;
        if (printNormal) normal = LabelRecording(StartMeta(g.recordingWindow, g.recordingViewport));
        if (printFlipped)
            flipped = LabelRecording(StartMeta(g.recordingWindow, g.recordingViewport));
        if (flash_.FlashMode) flash = LabelRecording(StartMeta(flash_.window, flash_.viewport));

        const StepSurfaces surfaces{normal.surface(), flipped.surface(), flash.surface()};
        if (xlabel.ControlCount() != 0)
            forEachPrintable(xlabel, [&](LabelControl& control) {
                SMPrintType(control, printNormal, printFlipped, surfaces);
            });

        const HENHMETAFILE labelMeta = normal.finish();
        const HENHMETAFILE flashMeta = flash.finish();
        const HENHMETAFILE flippedMeta = flipped.finish();
        if (flip_.FlipMode)
            step.result = PrintFlipMetas(labelMeta, flippedMeta, quan, flashMeta, step.played);
        else
            step.result = printMetaCounting(labelMeta, quan, flashMeta, step.played);
    });
    labelClip_.reset();
    flash_.FlashClip.reset();
    return step;
}

void LabelPrinter::SMPrintType(LabelControl& control, bool printNormal, bool printFlipped,
                               const StepSurfaces& surfaces) {
    guarded(host_, "LabelPrinter:SMPrintType", [&] {
        PrintableElement& element = control.oref();
        if (flash_.FlashMode) {
            recordAcrossSlice(element, printNormal, printFlipped, control, surfaces);
            return;
        }
        if (printNormal) element.LPrint(surfaces.label);
        if (printFlipped) AddtoFlippedMeta(control, surfaces.flipped);
    });
}

void LabelPrinter::IncrementLabel(LabelForm& xlabel) {
    guarded(host_, "LabelPrinter:IncrementLabel", [&] {
        forEachPrintable(xlabel, [&](LabelControl& control) {
            // One failing element must not keep the others' counters behind their labels.
            guarded(host_, "LabelPrinter:IncrementLabel", [&] {
                if (control.GetHasLabelIncr()) control.oref().DoLabelIncrement();
            });
        });
    });
}

void LabelPrinter::IncrementImpression(LabelForm& xlabel) {
    guarded(host_, "LabelPrinter:IncrementImpression", [&] {
        forEachPrintable(xlabel, [&](LabelControl& control) {
            guarded(host_, "LabelPrinter:IncrementImpression", [&] {
                if (control.GetHasImpressionIncr()) control.oref().DoImpressionIncrement();
            });
        });
    });
}

void LabelPrinter::ResetImpressions(LabelForm& xlabel) {
    guarded(host_, "LabelPrinter:ResetImpressions", [&] {
        forEachPrintable(xlabel, [&](LabelControl& control) {
            guarded(host_, "LabelPrinter:ResetImpressions", [&] {
                if (control.GetHasImpressionIncr()) control.oref().DoResetIncr();
            });
        });
    });
}

// ---- Recordings --------------------------------------------------------------------------

HDC LabelPrinter::StartMeta(const RECT& window, const RECT& viewport) {
    return guarded(host_, "LabelPrinter:StartMeta", HDC{0}, [&] {
        // The frame is the whole printable area, so a recording played into that area lands
        // at scale 1 wherever the window origin puts it.
        const RECT frame{0, 0, geometry_.PageWidthMM * 100, geometry_.PageHeightMM * 100};
        const HDC surface = gdi::CreateEnhMetaFile(printer_.hdc(), &frame);
        if (!surface) failPrinter("no label recording can be made; is the page set up?");
        gdi::SetMapMode(surface, MM_TWIPS);
        gdi::SetMapMode(surface, MM_ANISOTROPIC);
        gdi::SetWindowExtEx(surface, window.right, window.bottom);
        gdi::SetViewportExtEx(surface, viewport.right, viewport.bottom);
        return surface;
    });
}

void LabelPrinter::AddToMeta(HDC theMeta, PrintableElement& theControl) {
    guarded(host_, "LabelPrinter:AddtoMeta", [&] { theControl.LPrint(theMeta); });
}

HENHMETAFILE LabelPrinter::EndMeta(HDC theMeta) {
    return gdi::CloseEnhMetaFile(theMeta);
}

bool LabelPrinter::DeleteMeta(HENHMETAFILE theMeta) {
    return gdi::DeleteEnhMetaFile(theMeta);
}

void LabelPrinter::PrintControl(PrintableElement& theControl) {
    guarded(host_, "LabelPrinter:PrintControl", [&] { theControl.LPrint(printer_.hdc()); });
}

// ---- Slots -------------------------------------------------------------------------------

bool LabelPrinter::PrintMeta(HENHMETAFILE theMeta, std::int16_t quan, HENHMETAFILE Flashmeta) {
    std::int32_t played = 0;
    return printMetaCounting(theMeta, quan, Flashmeta, played);
}

bool LabelPrinter::printMetaCounting(HENHMETAFILE theMeta, std::int16_t quan,
                                     HENHMETAFILE flashMeta, std::int32_t& played) {
    guarded(host_, "LabelPrinter:PrintMeta", [&] { playSlots(theMeta, quan, flashMeta, played); });
    return false;
}

void LabelPrinter::playSlots(HENHMETAFILE theMeta, std::int16_t quan, HENHMETAFILE flashMeta,
                             std::int32_t& played) {
    const HDC hdc = printer_.hdc();
    // The slot's clip is not kept after the last slot: a later PrintControl draws unclipped.
    struct ClipRemover {
        HDC hdc;
        ~ClipRemover() { gdi::SelectClipRgn(hdc, 0); }
    } const removeClip{hdc};
    const RECT printableArea{0, 0, geometry_.PageWidthTwips, geometry_.PageHeightTwips};
    for (std::int32_t i = 1; i <= quan; ++i) {
        if (run_.PageToStart) {
            const std::int32_t copied = startSheet(hdc, quan - i + 1);
            i += copied;
            played += copied;
        }
        if (!run_.pageOpen) failPrinter("no page is open; was the run started?");
        placeSlot(hdc, run_.LabelX, run_.LabelY);
        // A step without a recording still fills its slot, blank.
        gdi::PlayEnhMetaFile(hdc, theMeta, printableArea);
        run_.PageHasLabels = true;
        if (flash_.FlashMode)
            playFlash(hdc, flashMeta, run_.CurrentColumn - 1, run_.CurrentRow - 1);
        ++played;
        advanceSlot(hdc);
    }
}

std::int32_t LabelPrinter::startSheet(HDC hdc, std::int32_t remaining) {
    const PageGeometry& g = geometry_;
    std::int32_t copies = 1;
    if (g.DriverCopies) {
        if (g.LabelsPerSheet > 0 && remaining >= 2 * g.LabelsPerSheet) {
            copies = std::min(remaining / g.LabelsPerSheet, g.MaxCopies);
            SetCopies(static_cast<std::int16_t>(copies));
            // Skip only the sheets the driver will really repeat.
            copies = std::clamp(printer_.settings().dmCopies, 1, copies);
        } else {
            SetCopies(1);
        }
    }
    if (StartPageKeepMapping(hdc) <= 0) failPrinter("the page could not be started");
    run_.pageOpen = true;
    run_.PageToStart = false;
    run_.SheetsPrinted += copies - 1;
    return (copies - 1) * g.LabelsPerSheet;
}

void LabelPrinter::placeSlot(HDC hdc, std::int32_t x, std::int32_t y) {
    gdi::SetWindowOrgEx(hdc, -x, -y);
    POINT corner{0, 0};
    gdi::LPtoDP(hdc, std::span<POINT>(&corner, 1));
    labelClip_.reset();
    labelClip_.reset(gdi::CreateRectRgn(corner.x, corner.y, corner.x + geometry_.LabelWidthDevice,
                                        corner.y + geometry_.LabelHeightDevice));
    gdi::SelectClipRgn(hdc, labelClip_.get());
}

void LabelPrinter::advanceSlot(HDC hdc) {
    const PageGeometry& g = geometry_;
    if (run_.CurrentColumn < g.LabelsAcross) {
        ++run_.CurrentColumn;
        run_.LabelX = stepTwips(run_.LabelX, g.PitchX);
        return;
    }
    run_.CurrentColumn = 1;
    run_.LabelX = wholeTwips(g.FirstLeft);
    if (run_.CurrentRow < g.LabelsDown) {
        ++run_.CurrentRow;
        run_.LabelY = stepTwips(run_.LabelY, g.PitchY);
        return;
    }
    endSheet(hdc);
}

void LabelPrinter::endSheet(HDC hdc) {
    const bool ended = EndPageKeepMapping(hdc) > 0;
    run_.pageOpen = false;
    run_.PageToStart = true;
    run_.CurrentRow = 1;
    run_.LabelY = wholeTwips(geometry_.FirstTop);
    run_.PageHasLabels = false;
    if (!ended) failPrinter("the page could not be written");
    ++run_.SheetsPrinted;
}

int LabelPrinter::StartPageKeepMapping(HDC hdc) {
    const DeviceMapping kept = DeviceMapping::read(hdc);
    const int result = gdi::StartPage(hdc);
    kept.apply(hdc);
    return result;
}

int LabelPrinter::EndPageKeepMapping(HDC hdc) {
    const DeviceMapping kept = DeviceMapping::read(hdc);
    const int result = gdi::EndPage(hdc);
    kept.apply(hdc);
    return result;
}

} // namespace bw

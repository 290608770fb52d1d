#pragma once
// The print engine's state as plain values: the page description as the host last passed it,
// the compensation, the twip geometry derived from both, the run, and the switches of the
// flipped, flash and trigger modes. All lengths are twips unless a field says otherwise.

#include "framework/GdiTypes.h"
#include "framework/UniqueGdiObject.h"

#include <cstdint>
#include <vector>

namespace bw {

// SetPageParameters' arguments as stored, in the host's unit (`su`: 5 inches, 6 millimetres,
// 7 centimetres).
struct PageParameters {
    std::int16_t la = 0; // labels across
    std::int16_t ld = 0; // labels down
    float flt = 0;       // top of the first label
    float fll = 0;       // left of the first label
    float hs = 0;        // left edge to the next label's left edge
    float vs = 0;        // top edge to the next row's top edge
    std::int32_t su = 0;
    float lw = 0; // label width
    float lh = 0; // label height
};

// A printer's mechanical offsets: user units added to the edges, factors on the pitches.
struct Compensation {
    std::int16_t iLE = 0;
    std::int16_t iTE = 0;
    float sWE = 1.0f;
    float sHE = 1.0f;
};

struct PageGeometry {
    std::int16_t LabelsAcross = 0;
    std::int16_t LabelsDown = 0;
    float FirstTop = 0;
    float FirstLeft = 0;
    float PitchX = 0;
    float PitchY = 0;
    float LabelWidth = 0;
    float LabelHeight = 0;
    std::int32_t LabelWidthDevice = 0; // printer device units
    std::int32_t LabelHeightDevice = 0;
    RECT recordingWindow{};   // (0, 0, LabelWidth, LabelHeight) in whole twips
    RECT recordingViewport{}; // (0, 0, LabelWidthDevice, LabelHeightDevice)

    // What the printer told page set-up.
    std::int32_t MaxCopies = 0;
    bool DriverCopies = false; // whole sheets may go to the driver as one page with copies
    std::int16_t LabelsPerSheet = 0;
    std::int32_t PageWidthMM = 0; // printable area
    std::int32_t PageHeightMM = 0;
    std::int32_t PageWidthDevice = 0;
    std::int32_t PageHeightDevice = 0;
    std::int32_t PageWidthTwips = 0; // the printer context's window extents
    std::int32_t PageHeightTwips = 0;
};

struct RunState {
    bool RunOpen = false;
    bool PageToStart = false;
    bool PageHasLabels = false;
    bool pageOpen = false;      // a page was started and not yet ended or aborted
    bool offsetApplied = false; // FirstLeft/FirstTop already hold the printable-area offset
    std::int32_t SheetsPrinted = 0;
    std::int16_t CurrentColumn = 1;
    std::int16_t CurrentRow = 1;
    std::int32_t LabelX = 0;
    std::int32_t LabelY = 0;
    std::int16_t OffsetX = 0;
    std::int16_t OffsetY = 0;
};

// Labels printed head to head in pairs.
struct FlipState {
    bool FlipMode = false;
    bool FlipNext = false;
    std::int32_t FlipDX = 0;
    std::int32_t FlipDY = 0;
};

struct FlashOffset {
    float x = 0;
    float y = 0;
};

// The part of each label below a slice line, printed at a position of its own.
struct FlashState {
    bool FlashMode = false;
    float SlicePoint = 0;
    float FlashLeftOffset = 0;
    std::vector<FlashOffset> FlashOffsets; // one per slot of the sheet
    RECT window{};
    RECT viewport{};
    UniqueGdiObject FlashClip;
};

// The pack sensor on a serial port that paces a run.
struct TriggerState {
    bool ExternalTrigger = false;
    bool portOpen = false;
};

} // namespace bw

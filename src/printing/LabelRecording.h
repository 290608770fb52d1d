#pragma once
// One label recording of a print step: first an open recording surface that elements draw on,
// then, once finished, the recording that is played into the slots. Whichever it holds is
// released when it goes, on every path, so a failing step leaves no recording behind.

#include "framework/GdiTypes.h"

namespace bw {

class LabelRecording {
public:
    LabelRecording() = default;
    // Takes an open recording surface (0: none, when it could not be made).
    explicit LabelRecording(HDC surface) : surface_(surface) {}
    ~LabelRecording();

    LabelRecording(LabelRecording&& other) noexcept;
    LabelRecording& operator=(LabelRecording&& other) noexcept;
    LabelRecording(const LabelRecording&) = delete;
    LabelRecording& operator=(const LabelRecording&) = delete;

    HDC surface() const { return surface_; }
    // Closes the surface; the finished recording stays owned here. 0 when there is none.
    HENHMETAFILE finish();
    HENHMETAFILE recording() const { return recording_; }

private:
    void release();

    HDC surface_ = 0;
    HENHMETAFILE recording_ = 0;
};

} // namespace bw

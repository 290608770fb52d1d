#include "printing/LabelRecording.h"

#include "framework/Gdi.h"

#include <utility>

namespace bw {

LabelRecording::~LabelRecording() {
    release();
}

LabelRecording::LabelRecording(LabelRecording&& other) noexcept
    : surface_(std::exchange(other.surface_, 0)), recording_(std::exchange(other.recording_, 0)) {}

LabelRecording& LabelRecording::operator=(LabelRecording&& other) noexcept {
    if (this != &other) {
        release();
        surface_ = std::exchange(other.surface_, 0);
        recording_ = std::exchange(other.recording_, 0);
    }
    return *this;
}

HENHMETAFILE LabelRecording::finish() {
    if (surface_) recording_ = gdi::CloseEnhMetaFile(std::exchange(surface_, 0));
    return recording_;
}

void LabelRecording::release() {
    if (surface_) gdi::DeleteDC(std::exchange(surface_, 0));
    if (recording_) gdi::DeleteEnhMetaFile(std::exchange(recording_, 0));
}

} // namespace bw

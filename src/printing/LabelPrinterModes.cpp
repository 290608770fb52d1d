// LabelPrinter: the branch points of the flipped (head-to-head) layout, the flash recording
// and the trigger port. The label loop calls them only while their mode is on, and nothing
// switches a mode on yet: SetFlip, SetFlashMode and SetExternalTrigger come with the modes.

#include "framework/HostError.h"
#include "printing/LabelPrinter.h"

namespace bw {

namespace {

[[noreturn]] void notAvailable(const char* mode) {
    throw HostError(err::invalidProcedureCall, std::string(mode) + " is not available");
}

} // namespace

void LabelPrinter::AddtoFlippedMeta(LabelControl&, HDC) {
    notAvailable("Flip printing");
}

void LabelPrinter::recordAcrossSlice(PrintableElement&, bool, bool, LabelControl&,
                                     const StepSurfaces&) {
    notAvailable("Flash mode");
}

bool LabelPrinter::PrintFlipMetas(HENHMETAFILE, HENHMETAFILE, std::int16_t, HENHMETAFILE,
                                  std::int32_t&) {
    notAvailable("Flip printing");
}

void LabelPrinter::playFlash(HDC, HENHMETAFILE, int, int) {
    notAvailable("Flash mode");
}

void LabelPrinter::openTriggerPort() {
    notAvailable("The external trigger");
}

void LabelPrinter::closeTriggerPort() {
    notAvailable("The external trigger");
}

} // namespace bw

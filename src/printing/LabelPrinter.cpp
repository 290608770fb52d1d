// LabelPrinter: construction, persistence and the container's side of the engine.

#include "printing/LabelPrinter.h"

#include "framework/Guarded.h"
#include "framework/HostError.h"
#include "framework/PropertyReader.h"

namespace bw {

namespace {

constexpr std::string_view sheetsPrintedKey = "SheetsPrinted";
constexpr std::int32_t setNotPermitted = 387;
constexpr std::int32_t setNotSupportedAtRunTime = 382;

} // namespace

LabelPrinter::LabelPrinter(HostServices& host)
    : host_(host), printer_(CurrentPrinter::instance()) {}

LabelPrinter::~LabelPrinter() {
    if (!run_.RunOpen) return;
    try {
        EndRun();
    } catch (...) {
        // The log could not be written either; nothing is left to tell.
    }
}

void LabelPrinter::setSheetsPrinted(std::int32_t) {
    if (designMode_) throw HostError(setNotPermitted, "Set not permitted");
    throw HostError(setNotSupportedAtRunTime, "Set not supported at run time");
}

void LabelPrinter::InitProperties() {
    run_.SheetsPrinted = 0;
}

void LabelPrinter::ReadProperties(const PropertyBag& bag) {
    const PropertyReader in(bag, host_, "LabelPrinter:ReadProperties");
    run_.SheetsPrinted = in.readLong(sheetsPrintedKey, 0);
}

void LabelPrinter::WriteProperties(PropertyBag& bag) const {
    bag.write(sheetsPrintedKey, run_.SheetsPrinted, std::int32_t{0});
}

void LabelPrinter::PackDetected(float& qc) {
    Variant count(qc);
    raiseEvent(events_, packDetectedEvent, std::span<Variant>(&count, 1));
    qc = count.toSingle().valueOr(qc);
}

} // namespace bw

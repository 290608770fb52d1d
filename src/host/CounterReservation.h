#pragma once
// Counters saved ahead of a run, for printers that take each page as it ends (raster
// printers): their pages are out before the engine advances the counters of the labels on
// them, so the counters the run will end with are saved before it starts. A copy of the label
// file's controls takes the counter steps the engine will take, and its counters are
// written back. A run that stops early then leaves the counters ahead, never behind.

#include "host/LabelFile.h"

#include <cstdint>

namespace bw::host {

class CounterReservation {
public:
    // Saves the counters `file` will have after printing `quantity` labels in one step.
    // Throws std::system_error when the file cannot be written.
    static void reserve(const LabelFile& file, std::int16_t quantity);
};

} // namespace bw::host

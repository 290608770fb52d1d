#pragma once
// Saves a label file's counters when its elements ask (PlsSaveMe). A run of 10,000 labels
// with a counter per impression asks 10,000 times; the requests are only remembered, and
// commit() writes every requested control back at once, atomically and durably. The print
// command commits before it ends the run, that is before the printer receives a document
// whose labels carry those counters: a run killed at any moment leaves the file either as it
// was (nothing handed over) or with every counter past the labels handed over.

#include "host/LabelFile.h"

#include <cstddef>
#include <vector>

namespace bw::host {

class CounterSaver {
public:
    // `file` must outlive the saver; it is written back to `file.path()`.
    explicit CounterSaver(LabelFile& file);

    // The control at `index` asked to be saved.
    void request(std::size_t index);
    bool pending() const { return pending_; }
    std::size_t requests() const { return requests_; }

    // Writes the requested controls back; throws std::system_error when the file cannot be
    // written, leaving it as it was.
    void commit();
    // Puts back the text the file had when it was loaded, if a commit changed it: for a run
    // whose document never reached the printer.
    void rollback();

private:
    LabelFile& file_;
    std::vector<bool> requested_;
    bool pending_ = false;
    bool written_ = false;
    std::size_t requests_ = 0;
};

} // namespace bw::host

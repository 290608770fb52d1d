#include "host/CounterSaver.h"

#include "host/AtomicFile.h"

namespace bw::host {

CounterSaver::CounterSaver(LabelFile& file) : file_(file), requested_(file.controlCount(), false) {}

void CounterSaver::request(std::size_t index) {
    ++requests_;
    if (index >= requested_.size()) return;
    requested_[index] = true;
    pending_ = true;
}

void CounterSaver::commit() {
    if (!pending_) return;
    for (std::size_t i = 0; i < requested_.size(); ++i)
        if (requested_[i]) file_.capture(i);
    AtomicFile::write(file_.path(), file_.text());
    written_ = true;
    pending_ = false;
    requested_.assign(requested_.size(), false);
}

void CounterSaver::rollback() {
    if (!written_) return;
    AtomicFile::write(file_.path(), file_.loadedText());
    written_ = false;
}

} // namespace bw::host

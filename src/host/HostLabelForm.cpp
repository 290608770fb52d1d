#include "host/HostLabelForm.h"

namespace bw::host {

HostLabelForm::HostLabelForm(LabelFile& file) {
    controls_.reserve(file.controlCount());
    for (std::size_t i = 0; i < file.controlCount(); ++i)
        controls_.push_back(std::make_unique<ElementControl>(file.object(i), file.tag(i)));
}

LabelControl& HostLabelForm::Controls(std::int32_t index) {
    return *controls_.at(static_cast<std::size_t>(index));
}

} // namespace bw::host

#pragma once
// The label form the print engine walks: the controls of a label file in file order, each
// with its tag and its element reached through the element's member table.

#include "host/LabelFile.h"
#include "printing/ElementControl.h"
#include "printing/LabelForm.h"

#include <memory>
#include <vector>

namespace bw::host {

class HostLabelForm final : public LabelForm {
public:
    // `file` must outlive the form.
    explicit HostLabelForm(LabelFile& file);

    std::int32_t ControlCount() override { return static_cast<std::int32_t>(controls_.size()); }
    LabelControl& Controls(std::int32_t index) override;
    ElementControl& control(std::size_t index) { return *controls_.at(index); }

private:
    std::vector<std::unique_ptr<ElementControl>> controls_;
};

} // namespace bw::host

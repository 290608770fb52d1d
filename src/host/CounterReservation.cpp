#include "host/CounterReservation.h"

#include "framework/CaseFold.h"
#include "host/CounterSaver.h"
#include "host/HostLabelForm.h"

#include <vector>

namespace bw::host {

void CounterReservation::reserve(const LabelFile& file, std::int16_t quantity) {
    LabelFile copy(file.loadedText(), file.path(), file.host());
    CounterSaver saver(copy);
    copy.setEventListener([&](std::size_t index, std::string_view event) {
        if (iequals(event, "PlsSaveMe")) saver.request(index);
    });
    // Nobody looks at the copy's design view: no redraw after each step.
    std::vector<bool> autoRefresh;
    for (std::size_t i = 0; i < copy.controlCount(); ++i) {
        autoRefresh.push_back(copy.element(i).AutoRefresh());
        copy.element(i).setAutoRefresh(false);
    }

    // The engine's steps: per impression after every label when any printable control counts
    // impressions, then once per label, then the impression resets.
    HostLabelForm form(copy);
    std::vector<LabelControl*> printable;
    bool perImpression = false;
    for (std::int32_t i = 0; i < form.ControlCount(); ++i) {
        LabelControl& control = form.Controls(i);
        if (control.Tag() != "P") continue;
        printable.push_back(&control);
        perImpression = perImpression || control.GetHasImpressionIncr();
    }
    if (perImpression)
        for (std::int16_t n = 0; n < quantity; ++n)
            for (LabelControl* c : printable)
                if (c->GetHasImpressionIncr()) c->oref().DoImpressionIncrement();
    for (LabelControl* c : printable)
        if (c->GetHasLabelIncr()) c->oref().DoLabelIncrement();
    for (LabelControl* c : printable)
        if (c->GetHasImpressionIncr()) c->oref().DoResetIncr();

    for (std::size_t i = 0; i < copy.controlCount(); ++i)
        if (autoRefresh[i]) copy.element(i).setAutoRefresh(true);
    saver.commit();
}

} // namespace bw::host

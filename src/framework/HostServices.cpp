#include "framework/HostServices.h"

#include "framework/HeadlessHost.h"
#include "framework/HostError.h"
#include "framework/NumberText.h"

namespace bw {

namespace {

// The one process-wide host pointer (see the header); nullptr means the headless default.
HostServices* installed = nullptr;

HostError cancelled() {
    return HostError(err::dialogCancelled, "Cancel was selected.");
}

} // namespace

std::optional<FontChoice> HostServices::fontDialog(const FontChoice& preset, std::int32_t flags,
                                                   bool cancelError) {
    std::optional<FontChoice> choice = showFontDialog(preset, flags);
    if (!choice && cancelError) throw cancelled();
    return choice;
}

bool HostServices::printerDialog(std::string_view title, bool cancelError) {
    const bool chosen = showPrinterDialog(title);
    if (!chosen && cancelError) throw cancelled();
    return chosen;
}

std::string HostServices::formatCurrency(double value) const {
    return bw::formatCurrency(value, locale());
}

HostServices& currentHost() {
    if (installed) return *installed;
    static HeadlessHost headless;
    return headless;
}

HostServices* installHost(HostServices* host) {
    return std::exchange(installed, host);
}

} // namespace bw

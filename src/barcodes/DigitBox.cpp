#include "barcodes/DigitBox.h"

#include "framework/Rounding.h"

namespace bw {

DigitBox::DigitBox(HostServices& host, Forward forward) : box_(host), forward_(std::move(forward)) {
    box_.setSite(ElementSite{.changes = nullptr, .events = this, .container = nullptr});
    box_.setTag("CLEARRECT");
}

void DigitBox::place(const BoxPlace& p) {
    box_.setPLeft(roundToInt(p.left));
    box_.setPTop(roundToInt(p.top));
    box_.setPWidth(roundToInt(p.width));
    box_.setPHeight(roundToInt(p.height));
}

void DigitBox::raise(std::string_view name, std::span<Variant> args) {
    if (name != "MouseDown" && name != "MouseMove" && name != "MouseUp") return;
    if (args.size() == 4) {
        args[2] = Variant(args[2].toSingle().valueOr(0) + static_cast<float>(box_.PLeft()));
        args[3] = Variant(args[3].toSingle().valueOr(0) + static_cast<float>(box_.PTop()));
    }
    if (forward_) forward_(name, args);
}

} // namespace bw

#pragma once
// A box of human-readable digits beside or under a barcode's bars: a real AutoText child with
// the tag "CLEARRECT", so that when it prints it first blanks its rectangle (and the bars
// beneath it) in its background colour. Its mouse events reach the element's host in the
// element's coordinates.

#include "barcodes/EanSymbolLayout.h"
#include "framework/EventSink.h"
#include "framework/HostServices.h"
#include "text/AutoText.h"

#include <functional>
#include <span>
#include <string_view>

namespace bw {

class DigitBox final : private EventSink {
public:
    // Receives the box's MouseDown, MouseMove and MouseUp with x and y moved by the box's
    // position.
    using Forward = std::function<void(std::string_view event, std::span<Variant> args)>;

    DigitBox(HostServices& host, Forward forward);
    DigitBox(const DigitBox&) = delete;
    DigitBox& operator=(const DigitBox&) = delete;

    AutoText& text() { return box_; }
    const AutoText& text() const { return box_; }

    // PLeft, PTop, PWidth and PHeight: the place rounded to whole twips.
    void place(const BoxPlace& p);

private:
    void raise(std::string_view name, std::span<Variant> args) override;

    AutoText box_;
    Forward forward_;
};

} // namespace bw

#include "text/StraightTextPainter.h"

#include "framework/Gdi.h"
#include "framework/Guarded.h"
#include "framework/Rounding.h"
#include "framework/ScopedOriginShift.h"
#include "framework/ScopedSelect.h"
#include "framework/UniqueGdiObject.h"

#include <algorithm>

namespace bw {

namespace {

constexpr char marker = '^';

// Text colour and transparent background for one scope; the context's colours and background
// mode come back afterwards.
class ScopedTextColours {
public:
    ScopedTextColours(HDC hdc, COLORREF text)
        : hdc_(hdc), text_(gdi::GetTextColor(hdc)), background_(gdi::GetBkColor(hdc)),
          mode_(gdi::GetBkMode(hdc)) {
        gdi::SetTextColor(hdc_, text);
        gdi::SetBkMode(hdc_, TRANSPARENT);
    }
    ~ScopedTextColours() {
        gdi::SetTextColor(hdc_, text_);
        gdi::SetBkColor(hdc_, background_);
        gdi::SetBkMode(hdc_, mode_);
    }
    ScopedTextColours(const ScopedTextColours&) = delete;
    ScopedTextColours& operator=(const ScopedTextColours&) = delete;

private:
    HDC hdc_;
    COLORREF text_;
    COLORREF background_;
    int mode_;
};

// Extra space spread over the spaces of the next output, reset to none afterwards.
class ScopedJustification {
public:
    ScopedJustification(HDC hdc, int extra, int breaks) : hdc_(hdc), active_(breaks > 0) {
        if (active_) gdi::SetTextJustification(hdc_, extra, breaks);
    }
    ~ScopedJustification() {
        if (active_) gdi::SetTextJustification(hdc_, 0, 0);
    }
    ScopedJustification(const ScopedJustification&) = delete;
    ScopedJustification& operator=(const ScopedJustification&) = delete;

private:
    HDC hdc_;
    bool active_;
};

} // namespace

void StraightTextPainter::paint(const std::function<int()>& drawFrame) {
    if (layout_.layoutHeight < 2 || layout_.layoutWidth < 1) return;

    const UniqueGdiObject normal(gdi::CreateFontIndirect(layout_.font));
    LOGFONT emphasisFont = layout_.font;
    emphasisFont.lfWeight = 700;
    emphasisFont.lfUnderline = settings_.underline;
    const UniqueGdiObject emphasis(settings_.marked ? gdi::CreateFontIndirect(emphasisFont) : 0);
    const ScopedSelect selected(hdc_, normal.get());
    normal_ = normal.get();
    emphasis_ = emphasis.get();
    emphasised_ = false;

    const int inset = drawFrame ? drawFrame() : 0;
    const ScopedOriginShift shift(hdc_, -std::int64_t{inset}, -std::int64_t{inset});
    const ScopedTextColours colours(hdc_, settings_.textColor);
    guarded(host_, "AutoText:NormalPrintText - nolines", [&] { printLines(); });
}

void StraightTextPainter::printLines() {
    const std::size_t n = layout_.lines.size();
    const double count = double(n);
    const double H = layout_.layoutHeight;
    const double h = layout_.font.lfHeight;
    double step = h;
    double y = 1;
    switch (settings_.lineSpacing) {
    case linespacings::LTop:
        break;
    case linespacings::LBottom:
        y = H - count * h;
        break;
    case linespacings::LCentred:
        y = H / 2 - count * h / 2;
        break;
    case linespacings::LJustified:
        step = n > 1 ? (H - h) / (count - 1) : H / count;
        break;
    }

    for (std::size_t k = 0; k < n; ++k) {
        const std::string& line = layout_.lines[k];
        const int width = widthOf(line);
        const double x = lineOffset(width);
        if (line.find(marker) != std::string::npos) {
            printMarkedLine(line, x, y);
        } else {
            const bool last = k + 1 == n;
            printLine(line, x, y, !last || settings_.singleLine ? width : noSpread);
        }
        y += step;
    }
}

double StraightTextPainter::lineOffset(int lineWidth) const {
    const double W = layout_.layoutWidth;
    const double c = layout_.clearZone;
    switch (settings_.justification) {
    case justifications::JRight:
        return W - lineWidth - c;
    case justifications::JCentred:
        return (W - lineWidth) / 2;
    default:
        return c;
    }
}

void StraightTextPainter::printLine(std::string_view line, double x, double y, int spreadWidth) {
    int breaks = 0;
    int extra = 0;
    if (spreadWidth != noSpread && settings_.justification == justifications::JJustified) {
        breaks = static_cast<int>(std::count(line.begin(), line.end(), ' '));
        // Justified lines start after the clear zone and end where it begins on the far side.
        extra = roundToInt(double(layout_.layoutWidth) - spreadWidth - 2.0 * layout_.clearZone);
    }
    const ScopedJustification justification(hdc_, extra, breaks);

    const double W = layout_.layoutWidth;
    const double H = layout_.layoutHeight;
    double X = x;
    double Y = y;
    switch (settings_.orientation) {
    case orientations::down:
        X = H - y;
        Y = x;
        break;
    case orientations::UpSideDown:
        X = W - x;
        Y = H - y;
        break;
    case orientations::Up:
        X = y;
        Y = W - x;
        break;
    default:
        break;
    }
    gdi::TextOut(hdc_, roundToInt(X), roundToInt(Y), line);
}

void StraightTextPainter::printMarkedLine(std::string_view line, double x, double y) {
    for (bool first = true;; first = false) {
        if (!first) {
            emphasised_ = !emphasised_;
            gdi::SelectObject(hdc_, emphasised_ ? emphasis_ : normal_);
        }
        const std::size_t cut = line.find(marker);
        const std::string_view segment = line.substr(0, cut);
        if (!segment.empty()) printLine(segment, x, y, noSpread);
        if (cut == std::string_view::npos) return;
        x += widthOf(segment);
        line.remove_prefix(cut + 1);
    }
}

int StraightTextPainter::widthOf(std::string_view text) const {
    SIZE size;
    return gdi::GetTextExtentPoint32(hdc_, text, &size) ? size.cx : 0;
}

} // namespace bw

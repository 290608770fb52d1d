// AutoText on random texts, sizes and options: it lays out and draws on the trace surface,
// advances its counters and draws again, and never crashes, hangs or leaves the context
// changed. Input: twelve bytes of options, then the text.

#include "ScratchDataDirectory.h"
#include "framework/Gdi.h"
#include "text/AutoText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t optionBytes = 12;
constexpr std::array<const char*, 9> clearZones = {"0",   "10%", "abc",   "%",  "-5%",
                                                   "150", "-5",  "1e400", "49%"};
constexpr std::array<const char*, 6> breakChars = {" ", " -", "-", "/ ", "", ",;^"};
const std::array<std::string, 5> faces = {"Arial", std::string(40, 'F'), std::string(32, 'G'), "",
                                          "Times New Roman"};

void require(bool condition) {
    if (!condition) std::abort();
}

int twips(std::uint8_t hi, std::uint8_t lo) {
    return ((hi << 8) | lo) % 12'001; // keeps the design window small
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    useScratchDataDirectory("fuzz_autotext");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < optionBytes) return 0;
    const std::uint8_t* o = data;
    const std::string text(reinterpret_cast<const char*>(data + optionBytes), size - optionBytes);

    bw::AutoText e(bw::currentHost());
    e.setAutoRefresh(false); // layouts happen on the trace surface only
    e.setPWidth(twips(o[0], o[1]));
    e.setPHeight(twips(o[2], o[3]));
    e.setOrientation(static_cast<std::int16_t>(o[4] % 6));
    e.setJustification(static_cast<std::int16_t>(o[5] % 4));
    e.setLineSpacing(static_cast<std::int16_t>((o[5] >> 2) % 4));
    e.setSingleLine(o[6] & 1);
    e.setUseBestFit(o[6] & 2);
    e.setCurrencyFormat(o[6] & 4);
    e.setBorderStyle(static_cast<std::int16_t>((o[6] >> 3) & 1));
    e.setBold(o[6] & 16);
    e.setFontMinimum(static_cast<std::int8_t>(o[7]));
    e.setFontMaximum(static_cast<std::int16_t>(o[8] * 2));
    e.setClearZone(clearZones[o[9] % clearZones.size()]);
    e.setLineBreakChars(breakChars[(o[9] >> 4) % breakChars.size()]);
    bw::FontDesc font = e.Font();
    font.name = faces[o[10] % faces.size()];
    e.setFont(font);
    e.setText(text);

    const bw::HDC page = bw::gdi::CreateTraceDC();
    const bw::HGDIOBJ ownFont = bw::gdi::GetCurrentObject(page, bw::OBJ_FONT);
    const auto print = [&] {
        e.LPrint(page);
        require(!e.layout().lines.empty());
        bw::POINT origin{-1, -1};
        bw::gdi::GetWindowOrgEx(page, &origin);
        require(origin == bw::POINT{0, 0});
        require(bw::gdi::GetCurrentObject(page, bw::OBJ_FONT) == ownFont);
    };
    print();
    if (o[11] & 1) e.DoLabelIncrement();
    if (o[11] & 2) e.DoImpressionIncrement();
    if (o[11] & 4) e.DoResetIncr();
    if (o[11] & 7) print();
    bw::gdi::DeleteDC(page);
    return 0;
}

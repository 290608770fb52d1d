#pragma once
// Value types and constants of the drawing surface. The names and values follow the
// graphics interface the elements were written against, so element code reads the same.

#include <cstdint>
#include <string>

namespace bw {

using Handle = std::uint32_t;
using HGDIOBJ = Handle;
using HDC = Handle;
using HFONT = Handle;
using HPEN = Handle;
using HBRUSH = Handle;
using HRGN = Handle;
using HBITMAP = Handle;
using HENHMETAFILE = Handle;
using COLORREF = std::uint32_t; // red in the low byte, then green, then blue

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GetRValue(COLORREF c) {
    return c & 0xFFu;
}
constexpr unsigned GetGValue(COLORREF c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned GetBValue(COLORREF c) {
    return (c >> 16) & 0xFFu;
}

struct POINT {
    int x = 0;
    int y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};
struct SIZE {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};
struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

// Logical-font record. A positive height is the cell height (ascent + descent), a negative
// one the em height; 0 picks a default. Escapement and orientation in tenths of a degree,
// counter-clockwise. The face name holds at most 31 characters (32 with the terminator).
struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0; // 0 default (400), 700 bold
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};
constexpr std::size_t LF_FACESIZE = 32;

// Measurements of the selected font in logical units.
struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    bool tmItalic = false;
};

struct LOGPEN {
    int lopnStyle = 0;
    int lopnWidth = 0;
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    int lbStyle = 0;
    COLORREF lbColor = 0;
};

// Printer settings a printer context is made from (paper, orientation, copies).
struct DEVMODE {
    std::string dmDeviceName;
    int dmOrientation = 1; // DMORIENT_PORTRAIT / DMORIENT_LANDSCAPE
    int dmPaperSize = 9;   // paper code (1 Letter, 5 Legal, 9 A4, 256 custom, stock codes)
    int dmPaperWidth = 0;  // tenths of a millimetre, for custom sizes
    int dmPaperLength = 0; // tenths of a millimetre, for custom sizes
    int dmCopies = 1;
    friend bool operator==(const DEVMODE&, const DEVMODE&) = default;
};

struct DOCINFO {
    std::string lpszDocName;
    std::string lpszOutput; // file the document is written to; empty: the printer's port
};

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Device capabilities.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int DT_METAFILE = 5;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Brush styles.
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
constexpr int BS_HOLLOW = BS_NULL;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// Object types for GetCurrentObject / GetObjectType.
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_DC = 3;
constexpr int OBJ_REGION = 8;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_MEMDC = 10;
constexpr int OBJ_ENHMETADC = 12;
constexpr int OBJ_ENHMETAFILE = 13;
constexpr int OBJ_PRINTER_DRIVER = 100; // our own: a handle from OpenPrinter

// Text alignment.
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;
constexpr unsigned GDI_ERROR = 0xFFFFFFFFu;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Arc directions.
constexpr int AD_COUNTERCLOCKWISE = 1;
constexpr int AD_CLOCKWISE = 2;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Region combination and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Raster operations for pixel copies.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t WHITENESS = 0x00FF0062;
constexpr std::uint32_t BLACKNESS = 0x00000042;

// Window positioning (z-order only).
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;

// Orientation codes of a printer's settings.
constexpr int DMORIENT_PORTRAIT = 1;
constexpr int DMORIENT_LANDSCAPE = 2;

// Driver capabilities.
constexpr int DC_PAPERS = 2;
constexpr int DC_COPIES = 18;

// Image loading.
constexpr unsigned IMAGE_BITMAP = 0;
constexpr unsigned LR_LOADFROMFILE = 0x0010;

} // namespace bw

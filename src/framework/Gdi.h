#pragma once
// The drawing surface: device contexts and drawing objects behind 32-bit handles, with the
// operations and semantics the elements and the print engine were written against.
// Every function accepts any handle value; an unknown, deleted or wrongly typed handle makes
// the call fail (0, false or an empty result) and never touches memory it does not own.

#include "framework/GdiTypes.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw {
struct PrinterProfile;
class TraceLog;
} // namespace bw

namespace bw::gdi {

// ---- Contexts -------------------------------------------------------------------------
// A printer page context for a printer profile and its settings; documents go to the
// profile's port (or the output named in StartDoc) as PDF, or as PNG pages at its resolution.
HDC CreatePrinterDC(const PrinterProfile& printer, const DEVMODE& settings);
// Applies new printer settings (paper, orientation, copies) to a printer context.
bool ResetDC(HDC hdc, const DEVMODE& settings);
bool GetDevMode(HDC hdc, DEVMODE& settings);
// An element's own window: an image surface of the given size in pixels, 15 twips per pixel.
HDC CreateWindowDC(int widthPixels, int heightPixels);
// Resizes a window context's surface (the content is cleared to white).
bool ResizeWindowDC(HDC hdc, int widthPixels, int heightPixels);
// Writes the pixels of a window or memory context to a PNG file.
bool SaveDCAsPNG(HDC hdc, const std::filesystem::path& file);
// A trace context: logs every call made on it with its arguments; with a non-zero size it
// also draws into an image surface of that many pixels so the result can be looked at.
HDC CreateTraceDC(int dpiX = 1440, int dpiY = 1440, int widthPixels = 0, int heightPixels = 0);
TraceLog* GetTrace(HDC hdc);
// A memory context compatible with hdc (or the screen for 0), holding a 1 × 1 bitmap.
HDC CreateCompatibleDC(HDC hdc);
bool DeleteDC(HDC hdc);
int GetDeviceCaps(HDC hdc, int index);
// Saves and restores the whole drawing state of a context (mapping, objects, colours, clip).
int SaveDC(HDC hdc);
bool RestoreDC(HDC hdc, int saved);

// ---- Mapping --------------------------------------------------------------------------
int SetMapMode(HDC hdc, int mode); // previous mode, 0 on failure
int GetMapMode(HDC hdc);
bool SetWindowExtEx(HDC hdc, int x, int y, SIZE* previous = nullptr);
bool SetViewportExtEx(HDC hdc, int x, int y, SIZE* previous = nullptr);
bool SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous = nullptr);
bool SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous = nullptr);
bool OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* previous = nullptr);
bool OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous = nullptr);
bool GetWindowExtEx(HDC hdc, SIZE* extent);
bool GetViewportExtEx(HDC hdc, SIZE* extent);
bool GetWindowOrgEx(HDC hdc, POINT* origin);
bool GetViewportOrgEx(HDC hdc, POINT* origin);
bool LPtoDP(HDC hdc, std::span<POINT> points);
bool DPtoLP(HDC hdc, std::span<POINT> points);

// ---- Objects --------------------------------------------------------------------------
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object); // previous object of that kind; 0 on failure
bool DeleteObject(HGDIOBJ object);             // stock objects are never deleted
HGDIOBJ GetStockObject(int which);
HGDIOBJ GetCurrentObject(HDC hdc, int objectType);
int GetObjectType(HGDIOBJ object);
bool GetObject(HGDIOBJ font, LOGFONT& out);
bool GetObject(HGDIOBJ pen, LOGPEN& out);
bool GetObject(HGDIOBJ brush, LOGBRUSH& out);
bool GetObject(HGDIOBJ bitmap, SIZE& sizeOut);

// ---- Fonts and text -------------------------------------------------------------------
HFONT CreateFontIndirect(const LOGFONT& font);
bool GetTextMetrics(HDC hdc, TEXTMETRIC& metrics);
// Extent of a UTF-8 run in logical units, with the selected font.
bool GetTextExtentPoint32(HDC hdc, std::string_view text, SIZE* size);
bool GetTextExtentPoint(HDC hdc, std::string_view text, SIZE* size);
// Characters (code points) that fit in maxExtent, and the cumulative extent after each
// character; either output may be null. maxExtent < 0 measures the whole run.
bool GetTextExtentExPoint(HDC hdc, std::string_view text, int maxExtent, int* fit,
                          std::vector<int>* partialExtents, SIZE* size);
bool TextOut(HDC hdc, int x, int y, std::string_view text);
bool SetTextJustification(HDC hdc, int extra, int breakCount);
unsigned SetTextAlign(HDC hdc, unsigned align); // previous alignment, GDI_ERROR on failure
unsigned GetTextAlign(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);

// ---- Shapes ---------------------------------------------------------------------------
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
bool MoveToEx(HDC hdc, int x, int y, POINT* previous = nullptr);
bool LineTo(HDC hdc, int x, int y); // the end point itself is not drawn
bool Rectangle(HDC hdc, int left, int top, int right, int bottom);
bool Ellipse(HDC hdc, int left, int top, int right, int bottom);
bool Polygon(HDC hdc, std::span<const POINT> points);
bool FillRect(HDC hdc, const RECT& rect, HBRUSH brush);
bool BeginPath(HDC hdc);
bool EndPath(HDC hdc);
bool AbortPath(HDC hdc);
bool CloseFigure(HDC hdc);
bool ArcTo(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2);
int SetArcDirection(HDC hdc, int direction);
int GetArcDirection(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
bool FillPath(HDC hdc);
bool StrokePath(HDC hdc);
bool StrokeAndFillPath(HDC hdc);

// ---- Regions (device units) -----------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreatePolygonRgn(std::span<const POINT> points, int fillMode);
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
bool FillRgn(HDC hdc, HRGN region, HBRUSH brush);
int SelectClipRgn(HDC hdc, HRGN region); // 0 removes the clip; the region is copied
int GetClipBox(HDC hdc, RECT* rect);     // logical units

// ---- Pictures -------------------------------------------------------------------------
// Loads a BMP file (1/4/8/24/32 bits, uncompressed or RLE); 0 when it is missing or corrupt.
HBITMAP LoadImage(const std::filesystem::path& file);
HBITMAP LoadImageFromMemory(std::span<const std::byte> bytes);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
bool BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
            std::uint32_t rop);
bool StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
                int sw, int sh, std::uint32_t rop);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);

// ---- Documents and pages --------------------------------------------------------------
int StartDoc(HDC hdc, const DOCINFO& doc); // > 0 on success
int StartPage(HDC hdc);
int EndPage(HDC hdc);
int EndDoc(HDC hdc);
int AbortDoc(HDC hdc);
// Pages written by the documents of a printer context so far (copies counted).
int GetPagesWritten(HDC hdc);

// ---- Recordings -----------------------------------------------------------------------
// A recording context whose device units are those of the reference context; the frame is in
// hundredths of a millimetre. Closing it gives a recording that plays into any rectangle.
HDC CreateEnhMetaFile(HDC reference, const RECT* frame, std::string_view description = {});
HENHMETAFILE CloseEnhMetaFile(HDC hdc);
bool PlayEnhMetaFile(HDC hdc, HENHMETAFILE recording, const RECT& rect);
bool DeleteEnhMetaFile(HENHMETAFILE recording);

} // namespace bw::gdi

namespace bw::gdi {

// ---- Printer drivers ------------------------------------------------------------------
// A handle on an installed printer's driver, by exact device name. Its device-mode record
// starts as the printer's settings: the current printer's when it is that printer, else the
// driver's defaults.
bool OpenPrinter(std::string_view deviceName, Handle* printer);
bool ClosePrinter(Handle printer);
// Reads (out) and then changes (in) the driver's device-mode record; > 0 on success.
int DocumentProperties(Handle printer, DEVMODE* out, const DEVMODE* in);
// A capability of the named printer's driver (DC_COPIES: maximum copy count; DC_PAPERS: the
// number of paper codes it takes, written to `papers` when it is not null); -1 when there is
// no such printer.
int DeviceCapabilities(std::string_view deviceName, std::string_view port, int capability,
                       std::vector<int>* papers = nullptr);

} // namespace bw::gdi

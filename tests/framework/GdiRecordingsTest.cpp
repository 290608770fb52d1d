#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::gdi;

namespace {

constexpr int pageW = 400; // pixels of the reference window, 15 twips each
constexpr int pageH = 300;

void mapTwips(HDC hdc) {
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, pageW * 15, pageH * 15);
    SetViewportExtEx(hdc, pageW, pageH);
}

// A small label: a framed box, a bar, a line of text and an ellipse, in twips.
void drawLabel(HDC hdc) {
    const HPEN pen = CreatePen(PS_SOLID, 30, RGB(0, 0, 200));
    const HBRUSH brush = CreateSolidBrush(RGB(250, 200, 0));
    const HGDIOBJ oldPen = SelectObject(hdc, pen);
    const HGDIOBJ oldBrush = SelectObject(hdc, brush);
    Rectangle(hdc, 0, 0, 1500, 900);
    Ellipse(hdc, 900, 450, 1400, 850);
    MoveToEx(hdc, 150, 600);
    LineTo(hdc, 150, 880);
    LOGFONT lf;
    lf.lfHeight = 240;
    lf.lfFaceName = "Arial";
    const HFONT font = CreateFontIndirect(lf);
    const HGDIOBJ oldFont = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    TextOut(hdc, 90, 90, "Lot 0041");
    SelectObject(hdc, oldFont);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(font);
    DeleteObject(brush);
    DeleteObject(pen);
}

} // namespace

TEST(GdiRecordings, PlayedAtScaleOneIntoASlotItLooksLikeDirectDrawing) {
    const POINT slots[] = {{0, 0}, {1800, 1200}, {3015, 2745}};
    for (const POINT slot : slots) {
        const HDC direct = CreateWindowDC(pageW, pageH);
        mapTwips(direct);
        SetWindowOrgEx(direct, -slot.x, -slot.y);
        drawLabel(direct);

        // The frame covers the whole reference surface, so playing into the whole surface in
        // twips is scale 1; the slot is placed by the window origin, as the engine does.
        const HDC played = CreateWindowDC(pageW, pageH);
        const RECT frame{0, 0, GetDeviceCaps(played, HORZSIZE) * 100,
                         GetDeviceCaps(played, VERTSIZE) * 100};
        const HDC rec = CreateEnhMetaFile(played, &frame, "label");
        ASSERT_NE(rec, 0u);
        mapTwips(rec);
        drawLabel(rec);
        const HENHMETAFILE label = CloseEnhMetaFile(rec);
        ASSERT_NE(label, 0u);
        EXPECT_EQ(GetObjectType(rec), 0) << "closing ends the recording context";
        mapTwips(played);
        SetWindowOrgEx(played, -slot.x, -slot.y);
        ASSERT_TRUE(PlayEnhMetaFile(played, label, RECT{0, 0, pageW * 15, pageH * 15}));

        EXPECT_EQ(test::pixels(direct, 0, 0, pageW, pageH),
                  test::pixels(played, 0, 0, pageW, pageH))
            << "slot " << slot.x << "," << slot.y;
        EXPECT_NE(test::inkBox(played, pageW, pageH), RECT{});
        DeleteEnhMetaFile(label);
        DeleteDC(direct);
        DeleteDC(played);
    }
}

TEST(GdiRecordings, FrameMapsOntoThePlaybackRectangle) {
    const HDC window = CreateWindowDC(100, 100);
    // 100 pixels report 26 mm, so 10 pixels are 260 hundredths of a millimetre.
    ASSERT_EQ(GetDeviceCaps(window, HORZSIZE), 26);
    const RECT frame{0, 0, 260, 260};
    const HDC rec = CreateEnhMetaFile(window, &frame);
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(rec, RECT{0, 0, 5, 5}, black); // the top-left quarter of the frame
    const HENHMETAFILE picture = CloseEnhMetaFile(rec);
    // Played into 40 × 40 pixels at (20, 20), the quarter becomes 20 × 20.
    ASSERT_TRUE(PlayEnhMetaFile(window, picture, RECT{20, 20, 60, 60}));
    EXPECT_EQ(test::inkBox(window, 100, 100), (RECT{20, 20, 40, 40}));
    DeleteObject(black);
    DeleteEnhMetaFile(picture);
    DeleteDC(window);
}

TEST(GdiRecordings, BadHandlesAndFramesFail) {
    const HDC window = CreateWindowDC(10, 10);
    const RECT empty{0, 0, 0, 100};
    EXPECT_EQ(CreateEnhMetaFile(window, &empty), 0u);
    EXPECT_EQ(CreateEnhMetaFile(0xBADBAD, nullptr), 0u);
    EXPECT_EQ(CloseEnhMetaFile(window), 0u) << "a window is not a recording";
    const HDC rec = CreateEnhMetaFile(window, nullptr);
    const HENHMETAFILE picture = CloseEnhMetaFile(rec);
    EXPECT_EQ(CloseEnhMetaFile(rec), 0u) << "closed already";
    EXPECT_FALSE(PlayEnhMetaFile(window, window, RECT{0, 0, 5, 5}));
    EXPECT_FALSE(PlayEnhMetaFile(window, picture, RECT{0, 0, 0, 5}));
    EXPECT_TRUE(DeleteEnhMetaFile(picture));
    EXPECT_FALSE(DeleteEnhMetaFile(picture));
    EXPECT_FALSE(PlayEnhMetaFile(window, picture, RECT{0, 0, 5, 5}));
    DeleteDC(window);
}

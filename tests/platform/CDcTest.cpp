#include "CDc.h"
#include "TestResources.h"

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <array>

namespace {

// A memory DC with a fresh bitmap of the given size selected.
struct MemoryDc {
    CDc dc;
    CImageBitmap bitmap;
    MemoryDc(int w, int h) : bitmap(w, h) { dc.SelectObject(&bitmap); }
};

CFont TestFont()
{
    CFont font;
    font.CreateFontIndirect(testres::TextFont());
    return font;
}

} // namespace

TEST(CDcTest, PixelsCrossAsColorRef)
{
    MemoryDc m(4, 4);
    EXPECT_EQ(m.dc.GetPixel(0, 0), 0x000000u) << "a new compatible bitmap is black";
    m.dc.SetPixel(1, 2, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(m.dc.GetPixel(1, 2), 0x00563412u);
    // Inside, the image keeps Qt's 0xAARRGGBB.
    m.dc.Flush();
    EXPECT_EQ(m.bitmap.GetImage().pixel(1, 2), 0xFF123456u);
    EXPECT_EQ(m.bitmap.GetImage().format(), QImage::Format_RGB32);
    EXPECT_EQ(CImageBitmap::ToColorRef(qRgb(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(CImageBitmap::ToQRgb(RGB(1, 2, 3)), qRgb(1, 2, 3));
}

TEST(CDcTest, PixelsOutsideOrWithoutBitmapAreInvalidAndHarmless)
{
    MemoryDc m(2, 2);
    EXPECT_EQ(m.dc.GetPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(m.dc.GetPixel(2, 0), CLR_INVALID);
    m.dc.SetPixel(5, 5, 0xFFFFFF); // ignored
    CDc empty;
    EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
    empty.SetPixel(0, 0, 0xFFFFFF);
    empty.FillSolidRect(0, 0, 5, 5, 0xFFFFFF);
    EXPECT_FALSE(empty.BitBlt(0, 0, 1, 1, &m.dc, 0, 0, SRCCOPY));
}

TEST(CDcTest, BitmapDestroyedWhileSelectedIsDeselected)
{
    CDc dc;
    {
        CImageBitmap gone(3, 3);
        dc.SelectObject(&gone);
        dc.FillSolidRect(0, 0, 3, 3, 0xFFFFFF);
    }
    EXPECT_EQ(dc.GetSelectedBitmap(), nullptr);
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
}

TEST(CDcTest, BitBltCopiesOnlyThePartInsideTheSource)
{
    MemoryDc src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.dc.SetPixel(x, y, RGB(BYTE(x * 10), BYTE(y * 10), 7));
    MemoryDc dst(6, 6);
    dst.dc.FillSolidRect(0, 0, 6, 6, RGB(1, 1, 1));
    // Block of 4 x 4 from (2, 2): only its top-left 2 x 2 lies in the source.
    ASSERT_TRUE(dst.dc.BitBlt(1, 1, 4, 4, &src.dc, 2, 2, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(1, 1), RGB(20, 20, 7));
    EXPECT_EQ(dst.dc.GetPixel(2, 2), RGB(30, 30, 7));
    EXPECT_EQ(dst.dc.GetPixel(3, 3), RGB(1, 1, 1)) << "outside the source: destination stays";
    EXPECT_EQ(dst.dc.GetPixel(0, 0), RGB(1, 1, 1));
    EXPECT_FALSE(dst.dc.BitBlt(0, 0, 2, 2, &src.dc, 10, 10, SRCCOPY));
    EXPECT_FALSE(dst.dc.BitBlt(0, 0, 2, 2, &src.dc, 0, 0, 0x00BB0226)) << "unknown operation";
}

TEST(CDcTest, BitBltRasterOperations)
{
    MemoryDc src(1, 1);
    src.dc.SetPixel(0, 0, 0x00F0F00F);
    MemoryDc dst(1, 1);
    const auto run = [&](DWORD rop) {
        dst.dc.SetPixel(0, 0, 0x00FF0F0F);
        EXPECT_TRUE(dst.dc.BitBlt(0, 0, 1, 1, &src.dc, 0, 0, rop));
        return dst.dc.GetPixel(0, 0);
    };
    EXPECT_EQ(run(SRCCOPY), 0x00F0F00Fu);
    EXPECT_EQ(run(SRCAND), 0x00F0000Fu);
    EXPECT_EQ(run(SRCPAINT), 0x00FFFF0Fu);
    EXPECT_EQ(run(SRCINVERT), 0x000FFF00u);
    EXPECT_EQ(run(WHITENESS), 0x00FFFFFFu);
    EXPECT_EQ(run(BLACKNESS), 0x00000000u);
}

TEST(CDcTest, BitBltWithinOneBitmapOverlapping)
{
    MemoryDc m(4, 1);
    for (int x = 0; x < 4; ++x)
        m.dc.SetPixel(x, 0, RGB(BYTE(x + 1), 0, 0));
    ASSERT_TRUE(m.dc.BitBlt(1, 0, 3, 1, &m.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(1, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(1, 0), RGB(1, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(2, 0), RGB(2, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(3, 0), RGB(3, 0, 0));
}

TEST(CDcTest, ViewportOriginShiftsDrawingAndPixels)
{
    MemoryDc m(5, 5);
    m.dc.SetViewportOrg(2, 1);
    m.dc.FillSolidRect(0, 0, 1, 1, 0x0000FF);
    EXPECT_EQ(m.dc.GetPixel(0, 0), 0x0000FFu);
    m.dc.SetViewportOrg(0, 0);
    EXPECT_EQ(m.dc.GetPixel(2, 1), 0x0000FFu);
    EXPECT_EQ(m.dc.GetPixel(0, 0), 0u);
}

TEST(CDcTest, FillSolidRectWithNegativeSizeReachesBack)
{
    MemoryDc m(4, 4);
    m.dc.FillSolidRect(3, 3, -2, -1, 0xFFFFFF);
    EXPECT_EQ(m.dc.GetPixel(1, 2), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(2, 2), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(3, 3), 0u);
    EXPECT_EQ(m.dc.GetPixel(1, 3), 0u);
}

TEST(CDcTest, LineToLeavesOutItsEndPoint)
{
    MemoryDc m(6, 6);
    m.dc.SetPenColor(0xFFFFFF);
    m.dc.MoveTo(1, 1);
    m.dc.LineTo(4, 1);
    EXPECT_EQ(m.dc.GetPixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(3, 1), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(4, 1), 0u);
    m.dc.LineTo(4, 5); // on from the current position, downwards
    EXPECT_EQ(m.dc.GetPixel(4, 1), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(4, 4), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(4, 5), 0u);
    m.dc.LineTo(1, 5); // leftwards: starts at 4, ends before 1
    EXPECT_EQ(m.dc.GetPixel(2, 5), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(1, 5), 0u);
    m.dc.MoveTo(0, 0);
    m.dc.LineTo(3, 3); // diagonal
    EXPECT_EQ(m.dc.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(2, 2), 0xFFFFFFu);
    EXPECT_EQ(m.dc.GetPixel(3, 3), 0u);
}

TEST(CDcTest, Draw3dRectOutlinesTheInside)
{
    MemoryDc m(5, 5);
    m.dc.Draw3dRect(CRect(0, 0, 4, 4), 0x0000FF, 0xFF0000);
    EXPECT_EQ(m.dc.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(m.dc.GetPixel(2, 0), 0x0000FFu);
    EXPECT_EQ(m.dc.GetPixel(0, 2), 0x0000FFu);
    EXPECT_EQ(m.dc.GetPixel(3, 0), 0xFF0000u) << "right column in the second colour";
    EXPECT_EQ(m.dc.GetPixel(0, 3), 0xFF0000u) << "bottom row in the second colour";
    EXPECT_EQ(m.dc.GetPixel(1, 1), 0u);
    EXPECT_EQ(m.dc.GetPixel(4, 4), 0u);
}

TEST(CDcTest, TabbedExtentStopsAtTheGivenWidthsThenAtTheirMultiples)
{
    CDc dc;
    CFont font = TestFont();
    dc.SelectObject(&font);
    const QFontMetrics fm(font.GetQFont());
    const int b = fm.horizontalAdvance(QStringLiteral("b"));
    const std::array<int, 1> one{40};
    EXPECT_EQ(dc.GetTabbedTextExtent(u"a\tb", one).cx, 40 + b);
    EXPECT_EQ(dc.GetTabbedTextExtent(u"a\t\tb", one).cx, 80 + b) << "one width repeats";
    EXPECT_EQ(dc.GetTabbedTextExtent(u"a\tb", one).cy, fm.height());
    const std::array<int, 1> negative{-40};
    EXPECT_EQ(dc.GetTabbedTextExtent(u"\t", negative).cx, 40) << "a negative width counts by its size";
    const std::array<int, 2> two{30, 100};
    EXPECT_EQ(dc.GetTabbedTextExtent(u"\t\t", two).cx, 100);
    const int grid = 8 * fm.averageCharWidth(); // no stops, or past the list: every 8 average widths
    EXPECT_EQ(dc.GetTabbedTextExtent(u"\t", {}).cx, grid);
    EXPECT_EQ(dc.GetTabbedTextExtent(u"\t\t\t", two).cx, (100 / grid + 1) * grid);
}

TEST(CDcTest, TabbedTextOutCountsStopsFromTheOrigin)
{
    MemoryDc m(200, 30);
    CFont font = TestFont();
    m.dc.SelectObject(&font);
    const std::array<int, 1> stops{40};
    const int b = QFontMetrics(font.GetQFont()).horizontalAdvance(QStringLiteral("b"));
    // Origin 0, text at x 10: the first stop is at 40, 30 pixels on.
    EXPECT_EQ(m.dc.TabbedTextOut(10, 0, u"\tb", stops, 0).cx, 30 + b);
    // Origin = x: the stop lies a whole tab width on.
    EXPECT_EQ(m.dc.TabbedTextOut(10, 0, u"\tb", stops, 10).cx, 40 + b);
}

TEST(CDcTest, TextDrawsTextColourOnOpaqueBackground)
{
    MemoryDc m(120, 30);
    CFont font = TestFont();
    m.dc.SelectObject(&font);
    m.dc.FillSolidRect(0, 0, 120, 30, RGB(0, 255, 0));
    m.dc.SetBkColor(RGB(255, 255, 255));
    m.dc.SetTextColor(RGB(0, 0, 0));
    const std::array<int, 1> stops{50};
    const CSize size = m.dc.TabbedTextOut(0, 0, u"X\tX", stops, 0);
    EXPECT_EQ(m.dc.GetPixel(45, 1), RGB(255, 255, 255)) << "the tab gap gets the background";
    EXPECT_EQ(m.dc.GetPixel(size.cx + 2, 1), RGB(0, 255, 0)) << "nothing drawn past the extent";
    bool dark = false;
    for (int y = 0; y < size.cy && !dark; ++y)
        for (int x = 0; x < size.cx && !dark; ++x)
            dark = GetRValue(m.dc.GetPixel(x, y)) < 100;
    EXPECT_TRUE(dark) << "some glyph pixels are dark";

    m.dc.SetBkMode(TRANSPARENT);
    m.dc.FillSolidRect(0, 0, 120, 30, RGB(0, 255, 0));
    m.dc.TextOut(0, 0, u"X");
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(0, 255, 0)) << "transparent text leaves the background";
}

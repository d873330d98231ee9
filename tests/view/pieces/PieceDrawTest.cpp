// Measuring, drawing and hit-testing pieces through the platform DC.
#include "CDc.h"
#include "CPlaceholderPiece.h"
#include "CTextPiece.h"
#include "EditorFonts.h"

#include <gtest/gtest.h>

#include <span>

namespace {

constexpr COLORREF Green = RGB(0, 200, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(192, 192, 192);
constexpr COLORREF Shadow = RGB(128, 128, 128);

// A memory DC on a green bitmap.
struct Canvas {
    CDc dc;
    CImageBitmap bitmap{300, 80};
    Canvas()
    {
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 300, 80, Green);
    }
    ~Canvas() { dc.SelectObject(static_cast<CBitmap*>(nullptr)); }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
};

// Lays the piece out at (x, y) and draws it moved by (dx, dy); returns
// where it was drawn.
CRect Drawn(Canvas& canvas, CPiece& piece, int x, int y, int dx, int dy)
{
    piece.Measure(canvas.dc, x, y);
    piece.Draw(canvas.dc, dx, dy);
    CRect r = piece.rect;
    r.OffsetRect(dx, dy);
    return r;
}

CSize ExtentInFont(const std::u16string& text, bool foreign)
{
    CDc dc;
    dc.SelectObject(&CTextPiece::FontFor(foreign));
    return dc.GetTextExtent(text);
}

// An empty piece is one X wide and one line high; foreign pieces use the
// foreign font; tabs stop every tab width from the piece's left edge; a
// placeholder is always 25 by 15 and never hit; a piece's left and top
// edges are inside it, its right and bottom ones outside.
TEST(PieceMeasure, TextsAndPlaceholdersAndTheirHitTest)
{
    CDc dc;
    CTextPiece empty(u"", 0, false, true, nullptr, false);
    const CSize size = empty.Measure(dc, 50, 5);
    EXPECT_EQ(size.cx, ExtentInFont(u"X", false).cx);
    EXPECT_EQ(size.cy, ExtentInFont(u"AayY123", false).cy);
    EXPECT_EQ(empty.rect, CRect(50, 5, 50 + size.cx, 5 + size.cy));

    const std::u16string text = u"Fremdsprache mit Text";
    CTextPiece own(text, 0, false, true, nullptr, false);
    CTextPiece foreign(text, 0, true, true, nullptr, false);
    EXPECT_EQ(own.Measure(dc, 0, 0).cx, ExtentInFont(text, false).cx);
    EXPECT_EQ(foreign.Measure(dc, 0, 0).cx, ExtentInFont(text, true).cx);
    EXPECT_NE(own.rect.Height(), foreign.rect.Height());

    CTextPiece tabbed(u"\tX", 0, false, true, nullptr, false);
    dc.SelectObject(&CTextPiece::FontFor(false));
    const int tab = tabbed.TabWidth(dc);
    ASSERT_GT(tab, 0);
    EXPECT_EQ(tabbed.Measure(dc, 37, 0).cx, tab + ExtentInFont(u"X", false).cx);

    CPlaceholderPiece placeholder(u"%-10.4f", 2, nullptr);
    EXPECT_EQ(placeholder.Measure(dc, 70, 21), CSize(25, 15));
    EXPECT_EQ(placeholder.rect, CRect(70, 21, 95, 36));
    EXPECT_FALSE(placeholder.HitTest(80, 25));
    CTextPiece hit(u"x", 0, false, true, nullptr, false);
    hit.rect = CRect(10, 20, 30, 36);
    EXPECT_TRUE(hit.HitTest(10, 20));
    EXPECT_TRUE(hit.HitTest(29, 35));
    EXPECT_FALSE(hit.HitTest(30, 20));
    EXPECT_FALSE(hit.HitTest(10, 36));
    EXPECT_FALSE(hit.HitTest(9, 25));
}

TEST(PieceDraw, TextPieceOnWhiteWithAGreyShadowForeignOnGreyWithout)
{
    Canvas canvas;
    CTextPiece piece(u"", 0, false, true, nullptr, false);
    const CRect r = Drawn(canvas, piece, 5, 5, 10, 10);
    EXPECT_EQ(canvas.At(r.left, r.top), White);
    EXPECT_EQ(canvas.At(r.right - 1, r.bottom - 1), White);
    EXPECT_EQ(canvas.At(r.right, r.top), Green);
    // Under the field from left + 1 to right, then up the right side from
    // bottom + 1 to top + 2: the end points are not drawn.
    EXPECT_EQ(canvas.At(r.left, r.bottom + 1), Green);
    EXPECT_EQ(canvas.At(r.left + 1, r.bottom + 1), Shadow);
    EXPECT_EQ(canvas.At(r.right, r.bottom + 1), Shadow);
    EXPECT_EQ(canvas.At(r.right + 1, r.bottom + 1), Shadow);
    EXPECT_EQ(canvas.At(r.right + 1, r.top + 2), Shadow);
    EXPECT_EQ(canvas.At(r.right + 1, r.top + 1), Green);
    EXPECT_EQ(canvas.At(r.left + 1, r.bottom), Green);
    // A foreign piece stands on grey without a shadow.
    Canvas grey;
    CTextPiece foreign(u"", 0, true, true, nullptr, false);
    const CRect f = Drawn(grey, foreign, 0, 0, 0, 0);
    EXPECT_EQ(grey.At(f.left, f.top), Grey);
    EXPECT_EQ(grey.At(f.left + 1, f.bottom + 1), Green);
    EXPECT_EQ(grey.At(f.right + 1, f.bottom), Green);
}

TEST(PieceDraw, TextIsBlackInsideTheField)
{
    Canvas canvas;
    CTextPiece piece(u"Hallo Welt", 0, false, true, nullptr, false);
    const CRect r = Drawn(canvas, piece, 0, 0, 0, 0);
    int dark = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = canvas.At(x, y);
            dark += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
            ASSERT_NE(c, Green) << x << "," << y;
        }
    }
    EXPECT_GT(dark, 20);
}

TEST(PieceDraw, PlaceholderCopiesItsImageFromTheStrip)
{
    Canvas canvas;
    ASSERT_TRUE(CPlaceholderPiece::LoadStrip(canvas.dc));
    const CDc* strip = CPlaceholderPiece::Strip();
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(strip->GetSelectedBitmap()->Width(), 125);
    CPlaceholderPiece piece(u"%s", 0, nullptr);
    Drawn(canvas, piece, 3, 4, 100, 20);
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(canvas.At(103 + x, 24 + y), strip->GetPixel(4 * 25 + x, y)) << x << "," << y;
    }
    EXPECT_EQ(canvas.At(103 + 25, 24), Green);
    CPlaceholderPiece::FreeStrip();
    EXPECT_EQ(CPlaceholderPiece::Strip(), nullptr);
    // Without the strip a grey field stands in.
    piece.Draw(canvas.dc, 0, 40);
    EXPECT_EQ(canvas.At(3, 44), Grey);
}

TEST(PieceFont, FollowsTheProgramsTextFont)
{
    const int before = CTextPiece::FontFor(false).GetQFont().pixelSize();
    TextFont().height = -20;
    EXPECT_EQ(CTextPiece::FontFor(false).GetQFont().pixelSize(), 20);
    SetDefaultFonts();
    EXPECT_EQ(CTextPiece::FontFor(false).GetQFont().pixelSize(), before);
}

} // namespace

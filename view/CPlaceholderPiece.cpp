#include "CPlaceholderPiece.h"

#include "CDc.h"
#include "CImageBitmap.h"
#include "PixelArtScale.h"
#include "resource.h"

#include <utility>

namespace {

// The strip and the memory DC it is selected into, one for the program.
struct StripImage {
    std::unique_ptr<CDc> dc;
    std::unique_ptr<CImageBitmap> bitmap;
};

StripImage& TheStrip()
{
    static StripImage strip;
    return strip;
}

} // namespace

CPlaceholderPiece::CPlaceholderPiece(std::u16string specifier, std::int32_t line_, CTextRow* row_)
    : CPiece(std::move(specifier), line_, row_)
{
}

CSize CPlaceholderPiece::Measure(CDc&, int x, int y)
{
    rect = CRect(x, y, x + Width, y + Height);
    return {Width, Height};
}

void CPlaceholderPiece::Draw(CDc& dc, int dx, int dy)
{
    const int x = rect.left + dx;
    const int y = rect.top + dy;
    if (CDc* strip = Strip())
        dc.BitBlt(x, y, Width, Height, strip, ImageIndex(text) * Width, 0, SRCCOPY);
    else
        dc.FillSolidRect(x, y, Width, Height, RGB(192, 192, 192));
}

int CPlaceholderPiece::ImageIndex(const std::u16string& specifier)
{
    if (specifier.empty())
        return 0;
    switch (specifier.back()) {
    case u'c': case u'C':
        return 3;
    case u'e': case u'E': case u'f': case u'g': case u'G':
        return 2;
    case u's': case u'S':
        return 4;
    case u'o': case u'p': case u'x': case u'X':
        return 1;
    default:
        return 0;
    }
}

bool CPlaceholderPiece::LoadStrip(const CDc& compatible, qreal ratio)
{
    FreeStrip();
    auto bitmap = CImageBitmap::FromResource(IDB_PLACEHOLDERS);
    if (!bitmap)
        return false;
    bitmap->GetImage() = ScalePixelArt(bitmap->GetImage(), Width, ratio);
    StripImage& strip = TheStrip();
    strip.dc = compatible.CreateCompatibleCDc();
    strip.bitmap = std::move(bitmap);
    strip.dc->SelectObject(strip.bitmap.get());
    return true;
}

void CPlaceholderPiece::FreeStrip()
{
    StripImage& strip = TheStrip();
    if (strip.dc)
        strip.dc->SelectObject(static_cast<CBitmap*>(nullptr));
    strip.dc.reset();
    strip.bitmap.reset();
}

CDc* CPlaceholderPiece::Strip() { return TheStrip().dc.get(); }

#include "CZweiToolBar.h"

#include "TranslatedStrings.h"

void CZweiToolBar::DrawButton(CDc& dc, const CRect& rect, int image, int look, int lastLook)
{
    // A checked button's light background stays unless it is wiped out.
    if (lastLook == Checked && look != Checked)
        dc.FillSolidRect(rect, FaceColour);
    const int x = rect.left + ImageXOffset() + CentreX();
    const int y = rect.top + ImageYOffset() + CentreY();
    switch (look) {
    case Normal:
        DrawStripImage(dc, NormalStrip, image, x, y);
        DrawBorder(dc, rect, FaceColour, FaceColour); // wipes out an earlier border
        break;
    case Hot:
        DrawStripImage(dc, HotStrip, image, x, y);
        DrawBorder(dc, rect, LightColour, DarkColour);
        break;
    case Pressed:
        DrawStripImage(dc, HotStrip, image, x, y);
        DrawBorder(dc, rect, DarkColour, LightColour);
        break;
    case Checked:
        dc.FillSolidRect(rect, CheckedColour);
        DrawStripImage(dc, CheckedStrip, image, x, y);
        DrawBorder(dc, rect, DarkColour, LightColour);
        break;
    case Disabled:
        DrawStripImage(dc, DisabledStrip, image, x, y);
        DrawBorder(dc, rect, FaceColour, FaceColour);
        break;
    default:
        break;
    }
    if (LabelsOn())
        DrawLabel(dc, rect, image, look == Checked);
    SetLastButtonWidth(rect.Width());
}

void CZweiToolBar::DrawBorder(CDc& dc, const CRect& rect, COLORREF first, COLORREF second)
{
    dc.SetPenColor(first);
    dc.MoveTo(rect.right - 1, rect.top);
    dc.LineTo(rect.left, rect.top);
    dc.LineTo(rect.left, rect.bottom - 1);
    dc.SetPenColor(second);
    dc.LineTo(rect.right - 1, rect.bottom - 1);
    dc.LineTo(rect.right - 1, rect.top);
}

void CZweiToolBar::DrawLabel(CDc& dc, const CRect& rect, int image, bool checked)
{
    std::u16string text;
    LoadTranslatedString(text, FirstLabelString() + unsigned(image));
    const CSize extent = dc.GetTextExtent(text);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(checked ? CheckedColour : FaceColour);
    dc.TextOut(rect.left + (rect.Width() - extent.cx) / 2, rect.top + LabelYOffset(), text);
}

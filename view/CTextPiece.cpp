#include "CTextPiece.h"

#include "CDc.h"
#include "CFont.h"
#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CTextRow.h"
#include "EditorFonts.h"

#include <algorithm>
#include <span>
#include <utility>

namespace {

constexpr COLORREF Grey = RGB(192, 192, 192);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Shadow = RGB(128, 128, 128);

// GDI hands sizes back as two 16-bit halves, each read as signed.
int Low16(int v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF)); }

struct CachedFont {
    LOGFONT record;
    CFont font;
};

} // namespace

CTextPiece::CTextPiece(std::u16string text_, std::int32_t line_, bool foreign_, bool freeSize_,
                       CTextRow* row_, bool endsWithCR_)
    : CPiece(std::move(text_), line_, row_), foreign(foreign_), freeSize(freeSize_),
      endsWithCR(endsWithCR_)
{
}

CTextPiece::~CTextPiece()
{
    // A piece that goes while the editor lies on it must not leave the
    // editor pointing at it.
    if (editor && editor->GetPiece() == this)
        EndEdit();
}

std::u16string CTextPiece::GetText() const
{
    std::u16string result;
    if (doublePercent) {
        result.reserve(text.size() + 2);
        for (const char16_t c : text) {
            result += c;
            if (c == u'%')
                result += u'%';
        }
    } else {
        result = text;
    }
    if (endsWithCR)
        result += u'\r';
    return result;
}

CFont& CTextPiece::FontFor(bool foreign)
{
    static CachedFont cache[2];
    CachedFont& cached = cache[foreign ? 1 : 0];
    const LOGFONT& wanted = foreign ? ForeignFont() : TextFont();
    if (!cached.font.IsCreated() || !(cached.record == wanted)) {
        cached.font.DeleteObject();
        cached.font.CreateFontIndirect(wanted);
        cached.record = wanted;
    }
    return cached.font;
}

int CTextPiece::TabWidth(const CDc& dc) const
{
    if (row && row->view) {
        const int width = row->view->GetTabWidth();
        if (width > 0)
            return width;
    }
    TEXTMETRIC tm;
    dc.GetTextMetrics(tm);
    return std::max(1, 8 * tm.tmAveCharWidth);
}

CSize CTextPiece::Measure(CDc& dc, int x, int y)
{
    CFont* old = dc.SelectObject(&FontFor(foreign));
    const int tab = TabWidth(dc);
    const CSize extent = dc.GetTabbedTextExtent(text, std::span<const int>(&tab, 1));
    int cx = Low16(extent.cx);
    int cy = Low16(extent.cy);
    cx = std::max(cx, dc.GetTextExtent(u"X").cx);
    cy = std::max(cy, dc.GetTextExtent(u"AayY123").cy);
    dc.SelectObject(old);
    rect = CRect(x, y, x + cx, y + cy);
    return {cx, cy};
}

void CTextPiece::Draw(CDc& dc, int dx, int dy)
{
    if (editor)
        return;
    CRect r = rect;
    r.OffsetRect(dx, dy);
    const COLORREF background = dc.GetNearestColor(foreign ? Grey : White);
    dc.FillSolidRect(r, background);
    const COLORREF oldBk = dc.SetBkColor(background);
    const COLORREF oldText = dc.SetTextColor(RGB(0, 0, 0));
    CFont* oldFont = dc.SelectObject(&FontFor(foreign));
    const int tab = TabWidth(dc);
    dc.TabbedTextOut(r.left, r.top, text, std::span<const int>(&tab, 1), r.left);
    dc.SelectObject(oldFont);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBk);
    if (!foreign) {
        const COLORREF oldPen = dc.SetPenColor(Shadow);
        dc.MoveTo(r.left + 1, r.bottom + 1);
        dc.LineTo(r.right + 1, r.bottom + 1);
        dc.LineTo(r.right + 1, r.top + 1);
        dc.SetPenColor(oldPen);
    }
}

void CTextPiece::DrawMisspelt(CDc& dc, int dx, int dy, int begin, int end)
{
    static constexpr int kWave[] = {0, 1, 2, 1}; // one period, from its crest
    CFont* oldFont = dc.SelectObject(&FontFor(foreign));
    const int tab = TabWidth(dc);
    const auto xAt = [&](int index) {
        const std::u16string_view head = std::u16string_view(text).substr(0, std::size_t(index));
        return Low16(dc.GetTabbedTextExtent(head, std::span<const int>(&tab, 1)).cx);
    };
    const int left = rect.left + dx + xAt(begin);
    const int right = rect.left + dx + xAt(end);
    dc.SelectObject(oldFont);
    const int top = rect.bottom + dy - 3;
    const COLORREF red = dc.GetNearestColor(RGB(255, 0, 0));
    for (int x = left; x < right; ++x)
        dc.SetPixel(x, top + kWave[(x - left) % 4], red);
}

bool CTextPiece::HitTest(int x, int y) const { return rect.PtInRect(CPoint(x, y)); }

void CTextPiece::BeginEdit(CInPlaceEdit* edit, int ox, int oy, int caret)
{
    if (!edit)
        return;
    editor = edit;
    CRect r = rect;
    r.OffsetRect(ox, oy);
    edit->MoveTo(r);
    edit->Attach(this, caret);
}

void CTextPiece::EndEdit()
{
    CInPlaceEdit* edit = editor;
    if (!edit)
        return;
    if (edit->GetPiece() == this) {
        edit->SetSel(-1, -1);
        edit->Detach();
        edit->MoveTo(CInPlaceEdit::ParkedRect);
    }
    editor = nullptr;
}

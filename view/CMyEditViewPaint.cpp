#include "CMyEditView.h"

#include "CInPlaceEdit.h"
#include "CTextRow.h"

#include <QPaintEvent>
#include <QPainter>

// Painting: every row inside the window goes into the off-screen image, which
// reaches the window in one copy; after an edit only the current row.

namespace {

constexpr COLORREF Grey = RGB(192, 192, 192);
// The frame around the current row, across the whole window.
constexpr COLORREF CurrentRowFrame = RGB(0, 84, 166);

} // namespace

void CMyEditView::FrameCurrentRow(CDc& dc, int sy)
{
    const CTextRow& row = *m_rows[std::size_t(m_currentRow)];
    const COLORREF colour = dc.GetNearestColor(CurrentRowFrame);
    const int top = sy + row.rowRect.top;
    const int h = row.rowRect.Height();
    const int w = m_clientWidth;
    dc.FillSolidRect(0, top, w, 1, colour);
    dc.FillSolidRect(0, top + h - 1, w, 1, colour);
    dc.FillSolidRect(0, top, 1, h, colour);
    dc.FillSolidRect(w - 1, top, 1, h, colour);
}

void CMyEditView::PaintRows(CDc& dc)
{
    dc.FillSolidRect(0, 0, m_clientWidth, m_clientHeight, dc.GetNearestColor(Grey));
    ++m_paintPasses;
    m_currentOrigin = CPoint(-1, -1);
    m_shownRows = 0;
    if (m_rows.empty())
        return;
    CDc window(viewport());
    const std::int64_t before = m_heights.TotalHeight();
    int index = m_heights.RowAt(std::int64_t(m_vScroll) - CTextRow::TopMargin);
    while (index < GetRowCount()) {
        CTextRow& row = *m_rows[std::size_t(index)];
        if (!row.IsLaidOut())
            LayOutRow(index, window);
        const int sx = RowDocumentX(index) - m_hScroll;
        const int sy = RowDocumentY(index) - m_vScroll;
        const int h = row.rowRect.Height();
        if (sy >= m_clientHeight)
            break;
        if (sy + h > 0) {
            ++m_shownRows;
            row.Paint(dc, sx, sy, m_boxDc.get(), m_iconDc.get());
            if (index == m_currentRow) {
                m_currentOrigin = CPoint(sx, sy);
                FrameCurrentRow(dc, sy);
            }
        }
        index = NextShown(index);
    }
    // A row whose laid-out height differs from what its line counts gave
    // changes the document's height.
    if (m_heights.TotalHeight() != before) {
        ComputeDocumentHeight();
        UpdateScrollBars(false);
    }
}

void CMyEditView::OnDraw(CDc& dc)
{
    if (!m_offscreenDc)
        MakeOffscreen(viewport()->width(), viewport()->height());
    PaintRows(*m_offscreenDc);
    m_paintAll = false;
    dc.SetViewportOrg(0, 0);
    dc.BitBlt(0, 0, m_clientWidth, m_clientHeight, m_offscreenDc.get(), 0, 0, SRCCOPY);
}

void CMyEditView::paintEvent(QPaintEvent* event)
{
    // A window moved to a screen of another density draws everything anew.
    if (m_offscreen && m_offscreen->GetImage().devicePixelRatio() != viewport()->devicePixelRatioF()) {
        LoadStrips();
        MakeOffscreen(viewport()->width(), viewport()->height());
    }
    QPainter painter(viewport());
    CDc dc(painter);
    if (m_paintAll || !m_offscreenDc) {
        OnDraw(dc);
    } else {
        // The image is up to date: copy what the window lost.
        m_offscreenDc->Flush();
        const QRect r = event->rect();
        dc.BitBlt(r.x(), r.y(), r.width(), r.height(), m_offscreenDc.get(), r.x(), r.y(), SRCCOPY);
    }
    PaintFocusFrame(painter);
}

void CMyEditView::RepaintAll()
{
    // Painted at once, so the current row's origin is right for whatever
    // the caller does next; the window gets the image with the next paint.
    if (m_offscreenDc) {
        PaintRows(*m_offscreenDc);
        m_paintAll = false;
    } else {
        m_paintAll = true;
    }
    viewport()->update();
}

void CMyEditView::RepaintCurrentRow()
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row || m_currentOrigin.x == -1 || !m_offscreenDc)
        return;
    const int ox = m_currentOrigin.x;
    const int oy = m_currentOrigin.y;
    {
        CDc window(viewport());
        LayOutRow(m_currentRow, window);
    }
    const CRect band(ox, oy + row->rowRect.top, m_clientWidth, oy + row->rowRect.bottom);
    m_offscreenDc->FillSolidRect(band, m_offscreenDc->GetNearestColor(Grey));
    row->Paint(*m_offscreenDc, ox, oy, m_boxDc.get(), m_iconDc.get());
    FrameCurrentRow(*m_offscreenDc, oy);

    // The band reaches the window around the editor, never over it.
    QRegion region(QRect(0, band.top, m_clientWidth, band.Height()));
    if (m_editor && m_editor->GetPiece() && row->currentPiece >= 0 &&
        std::size_t(row->currentPiece) < row->translatedPieces.size()) {
        CRect piece = row->translatedPieces[std::size_t(row->currentPiece)]->rect;
        piece.OffsetRect(ox, oy);
        region -= QRegion(piece.ToQRect());
    }
    viewport()->update(region);
}

#include "CMyEditView.h"

#include "CInPlaceEdit.h"
#include "CTextRow.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

// The view's own scroll model: the visible band as fractions of the document,
// mapped onto scroll bars whose range never exceeds 16384.

namespace {

// Truncation toward zero; a value a rounding error away from a whole number
// (a pixel position divided by the height and multiplied back) is that number.
int Trunc(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double nearest = std::round(value);
    const double whole = std::abs(value - nearest) < 1e-7 ? nearest : std::trunc(value);
    return int(std::clamp(whole, -2147483648.0, 2147483647.0));
}

// Scroll bar messages of the view's own model.
enum ScrollCode {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

} // namespace

void CMyEditView::ComputeDocumentHeight()
{
    const double newHeight = CTextRow::TopMargin + double(m_heights.TotalHeight());
    const double h = m_clientHeight;
    if (newHeight > h && m_docHeight > h)
        m_vThumb = m_vThumb * (m_docHeight - h) / (newHeight - h);
    else
        m_vThumb = 0.0;
    m_docHeight = newHeight;
    const double visible = m_vBandBottom - m_vBandTop;
    m_vBandTop = (1.0 - visible) * m_vThumb;
    m_vBandBottom = m_vBandTop + visible;
}

void CMyEditView::UpdateScrollBars(bool fromPixels)
{
    m_clientHeight = viewport()->height();
    m_clientWidth = viewport()->width();
    const double h = m_clientHeight;
    const double w = m_clientWidth;
    const double visible = m_docHeight > 0 ? h / m_docHeight : 1.0;
    if (fromPixels && m_docHeight > 0)
        m_vBandTop = m_vScroll / m_docHeight;
    m_vBandBottom = m_vBandTop + visible;
    m_hBandRight = m_hBandLeft + w / m_docWidth;
    m_vRange = Trunc(std::min(m_docHeight, double(MaxRange)));
    m_hRange = Trunc(std::min(m_docWidth, double(MaxRange)));
    const double hShare = w / m_docWidth;
    const double vShare = m_docHeight > 0 ? h / m_docHeight : 1.0;
    m_hLine = 0.1 * hShare * m_hRange;
    m_hPage = 0.9 * hShare * m_hRange;
    m_vLine = 0.1 * vShare * m_vRange;
    m_vPage = 0.9 * vShare * m_vRange;
    m_hPos = (m_hRange - w) * m_hThumb;
    m_vPos = (m_vRange - h) * m_vThumb;
    SetBars();
    m_hScroll = Trunc(m_docWidth * m_hBandLeft);
    m_vScroll = Trunc(m_vBandTop * m_docHeight);
}

void CMyEditView::SetBars()
{
    // The bars show the model; their own arithmetic never moves the view.
    m_settingBars = true;
    auto set = [](QScrollBar* bar, int range, int client, double line, double page, double pos) {
        bar->setRange(0, std::max(0, range - client));
        bar->setSingleStep(std::max(1, Trunc(line)));
        bar->setPageStep(std::max(1, Trunc(page)));
        bar->setValue(Trunc(pos));
        bar->setSliderPosition(Trunc(pos));
    };
    set(horizontalScrollBar(), m_hRange, m_clientWidth, m_hLine, m_hPage, m_hPos);
    set(verticalScrollBar(), m_vRange, m_clientHeight, m_vLine, m_vPage, m_vPos);
    m_settingBars = false;
}

void CMyEditView::scrollContentsBy(int, int)
{
    // The view scrolls through its own model (OnScroll), never by the
    // scroll area's pixel shifting.
}

void CMyEditView::ScrollBarAction(bool vertical, int action)
{
    if (m_settingBars)
        return;
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    int code = EndScroll;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = LineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = PageDown; break;
    case QAbstractSlider::SliderToMinimum: code = Top; break;
    case QAbstractSlider::SliderToMaximum: code = Bottom; break;
    case QAbstractSlider::SliderMove: code = ThumbTrack; break;
    default: return;
    }
    OnScroll(vertical, code, bar->sliderPosition());
    // The slider then takes the position the model gave it.
    bar->setSliderPosition(Trunc(vertical ? m_vPos : m_hPos));
}

void CMyEditView::OnScroll(bool vertical, int code, int thumbPosition)
{
    if (code == EndScroll)
        return;
    const double client = vertical ? m_clientHeight : m_clientWidth;
    const double range = vertical ? m_vRange : m_hRange;
    const double position = vertical ? m_vPos : m_hPos;
    const double line = vertical ? m_vLine : m_hLine;
    const double page = vertical ? m_vPage : m_hPage;
    const double max = range - client;
    double p = position;
    switch (code) {
    case LineUp: p = position - line; break;
    case LineDown: p = position + line; break;
    case PageUp: p = position - page; break;
    case PageDown: p = position + page; break;
    case ThumbPosition:
    case ThumbTrack: p = thumbPosition; break;
    case Top: p = 0; break;
    case Bottom: p = max; break;
    default: break;
    }
    p = max < 0 ? max : std::clamp(p, 0.0, max);
    const double thumb = max > 0 ? p / max : 0.0;
    const int oldV = m_vScroll;
    const int oldH = m_hScroll;
    if (vertical) {
        m_vThumb = thumb;
        const double visible = m_vBandBottom - m_vBandTop;
        m_vBandTop = (1.0 - visible) * thumb;
        m_vBandBottom = m_vBandTop + visible;
    } else {
        m_hThumb = thumb;
        const double visible = m_hBandRight - m_hBandLeft;
        m_hBandLeft = (1.0 - visible) * thumb;
        m_hBandRight = m_hBandLeft + visible;
    }
    UpdateScrollBars(false);
    RepaintAll();
    MoveEditor(oldH - m_hScroll, oldV - m_vScroll);
}

void CMyEditView::ScrollBy(int d)
{
    const double visible = m_vBandBottom - m_vBandTop;
    const double m = 1.0 - visible;
    const double oldTop = m_vBandTop;
    double top = oldTop + (m_docHeight > 0 ? d / m_docHeight : 0.0) * m;
    top = std::max(std::min(top, m), 0.0);
    m_vBandTop = top;
    if (m > 0)
        m_vThumb += (top - oldTop) / m;
    m_vBandBottom = m_vBandTop + visible;
    const int oldV = m_vScroll;
    UpdateScrollBars(false);
    RepaintAll();
    MoveEditor(0, oldV - m_vScroll);
}

void CMyEditView::MoveEditor(int dx, int dy)
{
    // A parked editor stays parked: moving it along would bring it into the
    // window as a small white square.
    if (m_editor && m_editor->GetPiece() && (dx != 0 || dy != 0))
        m_editor->MoveBy(dx, dy);
}

void CMyEditView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        ScrollBy(-notches * WheelStep);
    event->accept();
}

void CMyEditView::resizeEvent(QResizeEvent* event)
{
    const CRect before = m_editor ? CRect(m_editor->geometry()) : CRect();
    QAbstractScrollArea::resizeEvent(event);
    if (!m_initialised)
        return;
    const QSize size = viewport()->size();
    if (m_offscreenDc && size.height() >= 1)
        MakeOffscreen(size.width(), size.height());
    UpdateScrollBars(false);
    if (m_editor && CRect(m_editor->geometry()) != before)
        m_editor->setGeometry(before.ToQRect());
    m_paintAll = true;
    viewport()->update();
}

void CMyEditView::MakeCurrentRowVisible()
{
    if (!GetRow(m_currentRow))
        return;
    const int h = RowHeight(m_currentRow, true);
    const int y = RowDocumentY(m_currentRow);
    if (!(m_vScroll <= y && y <= m_vScroll + m_clientHeight - h))
        m_vScroll = y - JumpMargin;
    const double span = m_docHeight - m_clientHeight;
    m_vThumb = span == 0.0 ? 0.0 : m_vScroll / span;
}

void CMyEditView::MakePieceVisible(CTextRow* row, int y)
{
    const int index = IndexOf(row);
    if (index < 0)
        return;
    const int sy = RowDocumentY(index) - m_vScroll + y;
    if (sy < 0)
        ScrollBy(sy - BottomZone);
    else if (m_clientHeight - sy < BottomZone)
        ScrollBy(BottomLift - (m_clientHeight - sy));
}

#include "CMyEditView.h"

#include "CDialogTemplate.h"
#include "CInPlaceEdit.h"
#include "CPlaceholderPiece.h"
#include "CStatusBar.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF Grey = RGB(192, 192, 192);
constexpr int NoLimit = 999;
// Tab stops of the texts: 25 dialog template units of the text font.
constexpr int TabStopDialogUnits = 25;

constexpr UINT IDS_ROW_OF_ROWS = 61461; // "Text %i von %i"
constexpr UINT IDS_ROW_COUNT = 61462;   // "%i Texte"

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

CMyEditView::CMyEditView(QWidget* parent) : QAbstractScrollArea(parent)
{
    // Every pixel comes from the off-screen image: nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { ScrollBarAction(true, action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { ScrollBarAction(false, action); });
}

CMyEditView::~CMyEditView()
{
    // The pieces let the editor go before the editor itself goes with the
    // viewport.
    m_rows.clear();
    FreeStrips();
    if (m_offscreenDc)
        m_offscreenDc->SelectObject(static_cast<CBitmap*>(nullptr));
}

CTransDoc* CMyEditView::GetDocument() const
{
    return dynamic_cast<CTransDoc*>(CView::GetDocument());
}

CTextRow* CMyEditView::GetRow(int index) const
{
    if (index < 0 || index >= GetRowCount())
        return nullptr;
    return m_rows[std::size_t(index)].get();
}

int CMyEditView::IndexOf(const CTextRow* row) const
{
    for (int i = 0; i < GetRowCount(); ++i) {
        if (m_rows[std::size_t(i)].get() == row)
            return i;
    }
    return -1;
}

bool CMyEditView::IsRowShown(int index) const
{
    return index >= 0 && index < m_heights.Count() && m_heights.Shown(index);
}

int CMyEditView::RowDocumentY(int index) const
{
    return CTextRow::TopMargin + int(m_heights.HeightBefore(index));
}

int CMyEditView::RowDocumentX(int index) const
{
    return m_rows[std::size_t(index)]->level * CTextRow::Indent;
}

// --- set-up -----------------------------------------------------------------

void CMyEditView::OnInitialUpdate()
{
    LoadStrips();
    MakeOffscreen(viewport()->width(), viewport()->height());
    Rebuild();
    RepaintAll();
    emit RowsRebuilt();
}

void CMyEditView::OnUpdate(CView*, std::intptr_t hint)
{
    if (hint == CTransDoc::kHintRebuild) {
        Rebuild();
        RepaintAll();
        emit RowsRebuilt();
    } else if (hint == CTransDoc::kHintStoreEdits) {
        WriteBack();
    }
}

void CMyEditView::LoadStrips()
{
    FreeStrips();
    CDc window(viewport());
    auto load = [&](UINT id, std::unique_ptr<CImageBitmap>& bitmap, std::unique_ptr<CDc>& dc) {
        bitmap = CImageBitmap::FromResource(id);
        if (!bitmap)
            return;
        dc = window.CreateCompatibleCDc();
        dc->SelectObject(bitmap.get());
    };
    load(IDB_TREE_BOXES, m_boxStrip, m_boxDc);
    load(IDB_KIND_ICONS, m_iconStrip, m_iconDc);
    CPlaceholderPiece::LoadStrip(window);
}

void CMyEditView::FreeStrips()
{
    for (auto* dc : {m_boxDc.get(), m_iconDc.get()}) {
        if (dc)
            dc->SelectObject(static_cast<CBitmap*>(nullptr));
    }
    m_boxDc.reset();
    m_boxStrip.reset();
    m_iconDc.reset();
    m_iconStrip.reset();
    CPlaceholderPiece::FreeStrip();
}

void CMyEditView::MakeOffscreen(int width, int height)
{
    if (!m_offscreenDc)
        m_offscreenDc = CDc(viewport()).CreateCompatibleCDc();
    m_offscreenDc->SelectObject(static_cast<CBitmap*>(nullptr));
    m_offscreen = std::make_unique<CImageBitmap>(std::max(1, width), std::max(1, height));
    m_offscreenDc->SelectObject(m_offscreen.get());
    m_paintAll = true;
}

const QImage& CMyEditView::GetOffscreenImage() const
{
    static const QImage none;
    if (!m_offscreen)
        return none;
    m_offscreenDc->Flush();
    return m_offscreen->GetImage();
}

void CMyEditView::MeasureTabWidth()
{
    // What a multi-line edit control in the text font answers for one tab
    // stop of 25 dialog template units: the distance between stops.
    const QFont font = CTextPiece::FontFor(false).GetQFont();
    const int baseX = CDialogTemplate::BaseUnitsOf(font).cx;
    m_tabWidth = std::max(1, CDialogTemplate::MulDiv(TabStopDialogUnits, baseX, 4));
}

void CMyEditView::MakeEditor()
{
    // A rebuild can come from inside one of the editor's own key handlers
    // (a new translation started from an original-language file), so the
    // old editor goes once the event loop is back.
    if (m_editor) {
        m_editor->hide();
        m_editor->deleteLater();
    }
    m_editor = new CInPlaceEdit(this, viewport());
}

int CMyEditView::LineHeight(bool foreign) const
{
    CDc dc(const_cast<QWidget*>(static_cast<const QWidget*>(viewport())));
    CFont* old = dc.SelectObject(&CTextPiece::FontFor(foreign));
    const int height = dc.GetTextExtent(u"AayY123").cy;
    dc.SelectObject(old);
    return height;
}

void CMyEditView::Rebuild()
{
    m_rows.clear();
    m_currentRow = -1;
    CTransDoc* doc = GetDocument();
    CTextNode* root = doc ? doc->GetRoot() : nullptr;
    if (root)
        m_rows.reserve(std::size_t(std::max(0, root->CountNodes() - 1)));

    // Depth-first, each node with its partner in the foreign tree: the i-th
    // child of a node's partner, matched by position.
    struct Frame {
        CTextNode* node;
        CTextNode* partner;
        int row;
        int next;
    };
    std::vector<Frame> stack;
    if (root)
        stack.push_back({root, doc->GetForeignRoot(), -1, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        const int count = top.node->ChildCount();
        if (top.next >= count) {
            if (top.row >= 0)
                m_rows[std::size_t(top.row)]->subtreeEnd = GetRowCount();
            stack.pop_back();
            continue;
        }
        const int i = top.next++;
        CTextNode* child = top.node->GetChild(i);
        CTextNode* partner = top.partner ? top.partner->GetChild(i) : nullptr;
        if (!child)
            continue;
        auto row = std::make_unique<CTextRow>(child, partner, this, i == count - 1,
                                              std::int32_t(stack.size()));
        row->parentRow = top.row;
        const int index = GetRowCount();
        m_rows.push_back(std::move(row));
        stack.push_back({child, partner, index, 0});
    }

    MeasureTabWidth();
    MakeEditor();
    m_currentRow = -1;

    // Every row starts expanded, so all are shown; their heights come from
    // their line counts until they are laid out.
    m_textLineHeight = LineHeight(false);
    m_foreignLineHeight = LineHeight(true);
    std::vector<int> heights(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        heights[i] = m_rows[i]->Height(m_textLineHeight, m_foreignLineHeight);
    m_heights.Assign(heights, std::vector<char>(m_rows.size(), 1));

    m_docWidth = DocumentWidth;
    m_hThumb = m_vThumb = 0.0;
    m_vBandTop = m_vBandBottom = m_hBandLeft = m_hBandRight = 0.0;
    m_hPos = m_vPos = 0.0;
    m_vScroll = m_hScroll = 0;
    m_docHeight = CTextRow::TopMargin + double(m_heights.TotalHeight());
    UpdateScrollBars(false);

    m_initialised = true;
    WritePositionPane();
}

void CMyEditView::WriteBack()
{
    for (auto& row : m_rows)
        row->node->translatedText = row->ComposeTranslated();
}

// --- rows shown ---------------------------------------------------------------

int CMyEditView::NextShown(int index) const
{
    const CTextRow& row = *m_rows[std::size_t(index)];
    return row.expanded ? index + 1 : row.subtreeEnd;
}

void CMyEditView::UpdateShown(int index)
{
    const CTextRow& row = *m_rows[std::size_t(index)];
    if (!m_heights.Shown(index))
        return; // everything below stays hidden under a collapsed ancestor
    int limit = row.expanded ? NoLimit : row.level;
    for (int j = index + 1; j < row.subtreeEnd; ++j) {
        const CTextRow& below = *m_rows[std::size_t(j)];
        const bool shown = below.level <= limit;
        if (shown)
            limit = below.expanded ? NoLimit : below.level;
        if (shown != m_heights.Shown(j))
            m_heights.Set(j, below.Height(m_textLineHeight, m_foreignLineHeight), shown);
    }
}

void CMyEditView::SetExpanded(int index, bool expanded)
{
    CTextRow* row = GetRow(index);
    if (!row || row->expanded == expanded)
        return;
    row->expanded = expanded;
    UpdateShown(index);
}

void CMyEditView::LayOutRow(int index, CDc& dc)
{
    CTextRow& row = *m_rows[std::size_t(index)];
    row.Layout(dc);
    const int height = row.rowRect.Height();
    if (height != m_heights.Height(index))
        m_heights.Set(index, height, m_heights.Shown(index));
}

int CMyEditView::RowHeight(int index, bool layOut)
{
    CTextRow& row = *m_rows[std::size_t(index)];
    if (layOut && !row.IsLaidOut()) {
        CDc dc(viewport());
        LayOutRow(index, dc);
    }
    return m_heights.Height(index);
}

int CMyEditView::CountLaidOutRows() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [](const auto& row) { return row->IsLaidOut(); }));
}

// --- painting -----------------------------------------------------------------

void CMyEditView::PaintRows(CDc& dc)
{
    dc.FillSolidRect(0, 0, m_clientWidth, m_clientHeight, dc.GetNearestColor(Grey));
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
            if (index == m_currentRow)
                m_currentOrigin = CPoint(sx, sy);
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
    QPainter painter(viewport());
    CDc dc(painter);
    if (m_paintAll || !m_offscreenDc) {
        OnDraw(dc);
        return;
    }
    // The image is up to date: copy what the window lost.
    m_offscreenDc->Flush();
    const QRect r = event->rect();
    dc.BitBlt(r.x(), r.y(), r.width(), r.height(), m_offscreenDc.get(), r.x(), r.y(), SRCCOPY);
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

// --- scrolling ------------------------------------------------------------------

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

void CMyEditView::RevealCurrentRow()
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row)
        return;
    std::vector<int> ancestors;
    for (int p = row->parentRow; p >= 0; p = m_rows[std::size_t(p)]->parentRow)
        ancestors.push_back(p);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
        SetExpanded(*it, true);
    ComputeDocumentHeight();
}

// --- the current row --------------------------------------------------------------

void CMyEditView::MoveCurrentRow(int delta, bool atStart, bool caretAtStart)
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row)
        return;
    row->EndEdit();
    if (delta > 0) {
        int index = m_currentRow;
        for (int k = 0; k < delta; ++k) {
            const int next = NextShown(index);
            if (next >= GetRowCount())
                break;
            index = next;
        }
        m_currentRow = index;
    } else {
        const int before = m_heights.ShownBefore(m_currentRow);
        const int target = m_heights.NthShown(std::max(0, before + delta));
        if (target < GetRowCount())
            m_currentRow = target;
    }
    WritePositionPane();
    MakeCurrentRowVisible();
    UpdateScrollBars(true);
    OpenEditorInCurrentRow(atStart, caretAtStart);
    RepaintAll();
}

void CMyEditView::OpenEditorInCurrentRow(bool atStart, bool caretAtStart)
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row || !m_editor)
        return;
    RowHeight(m_currentRow, true);
    // The rows inside the window, counted as painting counts them.
    m_shownRows = 0;
    int index = m_heights.RowAt(std::int64_t(m_vScroll) - CTextRow::TopMargin);
    while (index < GetRowCount()) {
        const int sy = RowDocumentY(index) - m_vScroll;
        if (sy >= m_clientHeight)
            break;
        if (sy + m_heights.Height(index) > 0)
            ++m_shownRows;
        index = NextShown(index);
    }
    m_currentOrigin = CPoint(RowDocumentX(m_currentRow) - m_hScroll,
                             RowDocumentY(m_currentRow) - m_vScroll);
    row->OpenInRow(m_editor, m_currentOrigin.x, m_currentOrigin.y, atStart, caretAtStart);
    m_editor->setFocus();
}

void CMyEditView::WritePositionPane()
{
    emit CurrentRowChanged(m_currentRow);
    if (!m_statusBar)
        return;
    std::u16string text;
    if (m_currentRow < 0)
        FormatTranslated(text, IDS_ROW_COUNT, GetRowCount());
    else
        FormatTranslated(text, IDS_ROW_OF_ROWS, m_currentRow, GetRowCount());
    m_statusBar->SetPaneText(StatusPositionPane, text);
}

// --- the mouse ------------------------------------------------------------------------

int CMyEditView::HitTest(int x, int y, bool& box)
{
    box = false;
    if (m_rows.empty())
        return -1;
    // Rows lie one below the other, so only the row at y can be hit.
    const int index = m_heights.RowAt(std::int64_t(y) - CTextRow::TopMargin);
    if (index >= GetRowCount())
        return -1;
    RowHeight(index, true);
    const CTextRow& row = *m_rows[std::size_t(index)];
    const int rx = x - RowDocumentX(index);
    const int ry = y - RowDocumentY(index);
    if (row.HitPiece(rx, ry) >= 0)
        return index;
    if (row.HitBox(rx, ry)) {
        box = true;
        return index;
    }
    return -1;
}

void CMyEditView::Click(int px, int py)
{
    bool box = false;
    const int hit = HitTest(px + m_hScroll, py + m_vScroll, box);
    if (hit >= 0) {
        if (CTextRow* old = GetRow(m_currentRow))
            old->EndEdit();
        m_currentRow = hit;
    }
    WritePositionPane();
    if (hit < 0) {
        if (m_editor)
            m_editor->setFocus();
        return;
    }
    CTextRow& row = *m_rows[std::size_t(hit)];
    if (box) {
        SetExpanded(hit, !row.expanded);
        ComputeDocumentHeight();
        UpdateScrollBars(true);
        RepaintAll();
        m_currentRow = -1;
        return;
    }
    const int rx = px + m_hScroll - RowDocumentX(hit);
    const int ry = py + m_vScroll - RowDocumentY(hit);
    row.currentPiece = row.HitPiece(rx, ry);
    auto* piece = dynamic_cast<CTextPiece*>(row.translatedPieces[std::size_t(row.currentPiece)].get());
    if (!piece || !m_editor)
        return;
    m_currentOrigin = CPoint(px - rx, py - ry);
    piece->BeginEdit(m_editor, px - rx, py - ry, 0);
    // The edit control puts its caret where the user clicked.
    const QPointF at(rx - piece->rect.left, ry - piece->rect.top);
    QWidget* target = m_editor->viewport();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    m_editor->setFocus();
    RepaintAll();
}

void CMyEditView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Click(int(event->position().x()), int(event->position().y()));
    event->accept();
}

void CMyEditView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

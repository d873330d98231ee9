#include "CMyEditView.h"

#include "CDialogTemplate.h"
#include "CFindReplaceDialog.h"
#include "CDocSpelling.h"
#include "CInPlaceEdit.h"
#include "CPlaceholderPiece.h"
#include "CSearchCursor.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "CTreeAccessible.h"
#include "PixelArtScale.h"
#include "Pieces.h"
#include "resource.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>

// Construction, set-up, the rebuild from the document and which rows are
// shown. Painting, scrolling and navigation live in CMyEditView*.cpp beside
// this file.

namespace {

constexpr int NoLimit = 999;
// Tab stops of the texts: 25 dialog template units of the text font.
constexpr int TabStopDialogUnits = 25;

} // namespace

CMyEditView::CMyEditView(QWidget* parent) : QAbstractScrollArea(parent)
{
    RegisterPrintCommands();
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
    RegisterCommands();
    CTreeAccessible::Follow(this);
    // The focus frame shows while the view or its editor has the keyboard.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if ((old && isAncestorOf(old)) != (now && isAncestorOf(now)))
            viewport()->update();
    });
}

CMyEditView::~CMyEditView()
{
    // A dialog left open would notify a view that is gone.
    delete m_findDialog.data();
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
    // Nearly always asked about the current row.
    if (row && GetRow(m_currentRow) == row)
        return m_currentRow;
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
    RebuildAndRepaint();
    disconnect(m_docConnection);
    if (CTransDoc* doc = GetDocument()) {
        m_docConnection = connect(doc, &CTransDoc::Changed, this, &CMyEditView::OnDocumentChanged);
        // Another dictionary, a word accepted: the underlines change everywhere.
        connect(&CDocSpelling::Of(*doc), &CDocSpelling::SpellingChanged, this,
                &CMyEditView::RepaintAll, Qt::UniqueConnection);
    }
}

void CMyEditView::OnUpdate(CView*, std::intptr_t hint)
{
    if (hint == CTransDoc::kHintRebuild)
        RebuildAndRepaint();
    else if (hint == CTransDoc::kHintRedraw)
        RepaintAll();
}

void CMyEditView::RebuildAndRepaint(bool keepPlace)
{
    // The editor goes with the rows: the focus stays in the view, not in
    // whatever field comes next in the window.
    const bool focused = hasFocus() || isAncestorOf(QApplication::focusWidget());
    // Laid out again (other fonts), the same rows keep the user's place:
    // their expanded states, the current row and the scroll position.
    std::vector<char> expanded;
    for (const auto& row : m_rows)
        expanded.push_back(row->expanded);
    const int current = m_currentRow;
    const double bandTop = m_vBandTop;
    const double bandBottom = m_vBandBottom;
    const double thumb = m_vThumb;
    Rebuild();
    if (keepPlace && expanded.size() == m_rows.size()) {
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            m_rows[i]->expanded = expanded[i] != 0;
        RecomputeShown();
        ComputeDocumentHeight();
        // The same part of the document in the window, whatever its new height.
        m_vBandTop = bandTop;
        m_vBandBottom = bandBottom;
        m_vThumb = thumb;
        UpdateScrollBars(false);
        m_currentRow = current;
        // The editor comes back only where it is seen: opening it elsewhere would scroll.
        const int y = current >= 0 ? RowDocumentY(current) - m_vScroll : -1;
        if (y >= 0 && y < m_clientHeight)
            OpenEditorInCurrentRow(true, true);
        WritePositionPane();
    }
    RepaintAll();
    if (focused && !isAncestorOf(QApplication::focusWidget()))
        setFocus();
    emit RowsRebuilt();
}

// --- changes of the document ---------------------------------------------------

void CMyEditView::OnDocumentChanged(const CDocChange& change)
{
    if (change.Has(CDocChange::Everything) || change.Has(CDocChange::Layout)) {
        RebuildAndRepaint(!change.Has(CDocChange::Everything));
        return;
    }
    if (change.Has(CDocChange::Texts)) {
        for (CTextNode* node : change.texts) {
            const int row = RowOf(node);
            TextChangedInDocument(row);
            CTreeAccessible::TextChanged(this, row);
        }
        ComputeDocumentHeight();
        UpdateScrollBars(true);
    }
    if (change.Has(CDocChange::States))
        CTreeAccessible::StatesChanged(this);
    if (change.fromHistory && change.caretNode)
        ShowTextPlace(RowOf(change.caretNode), change.caretOffset);
    // A keystroke repaints its row; anything more the window; replace all
    // paints once at its own end.
    const CTextRow* current = GetRow(m_currentRow);
    if (m_batchEditing)
        return;
    if (!change.Has(CDocChange::States) && !change.fromHistory && change.texts.size() == 1 &&
        current && current->node == change.texts.front())
        RepaintCurrentRow();
    else if (change.Has(CDocChange::Texts) || change.Has(CDocChange::States))
        RepaintAll();
}

void CMyEditView::TextChangedInDocument(int index)
{
    CTextRow* row = GetRow(index);
    if (!row)
        return;
    const bool editing = index == m_currentRow && m_editor && m_editor->GetPiece() &&
                         m_editor->GetPiece()->row == row;
    int start = 0;
    int end = 0;
    if (editing)
        m_editor->GetSel(start, end);
    const pieces::PiecePlace place{row->currentPiece, start};
    const std::int32_t offset = editing ? pieces::TextOffset(row->translatedPieces, place) : -1;
    if (row->TextChanged() && editing) {
        // The editor was on pieces that are gone: it opens again at the same
        // place of the text.
        OpenEditorAt(*row, offset);
    }
    if (row->HasPieces()) {
        CDc dc(viewport());
        LayOutRow(index, dc);
    } else if (const int height = row->Height(m_textLineHeight, m_foreignLineHeight);
               height != m_heights.Height(index)) {
        m_heights.Set(index, height, m_heights.Shown(index));
    }
}

void CMyEditView::OpenEditorAt(CTextRow& row, std::int32_t offset)
{
    row.EnsurePieces();
    const pieces::PiecePlace place = pieces::PlaceOf(row.translatedPieces, offset);
    auto* piece = place.piece >= 0 ? dynamic_cast<CTextPiece*>(
                                         row.translatedPieces[std::size_t(place.piece)].get())
                                   : nullptr;
    if (!piece || !m_editor || !PlaceCurrentRow())
        return;
    {
        CDc dc(viewport());
        LayOutRow(m_currentRow, dc);
    }
    row.currentPiece = place.piece;
    piece->BeginEdit(m_editor, m_currentOrigin.x, m_currentOrigin.y, place.caret);
}

void CMyEditView::ShowTextPlace(int index, std::int32_t offset)
{
    CTextRow* row = GetRow(index);
    if (!row)
        return;
    if (index != m_currentRow) {
        if (CTextRow* old = GetRow(m_currentRow))
            old->EndEdit();
        m_currentRow = index;
        RevealCurrentRow();
    }
    MakeCurrentRowVisible();
    UpdateScrollBars(true);
    OpenEditorAt(*row, offset);
    if (m_editor && m_editor->GetPiece()) {
        m_editor->setFocus();
        MakePieceVisible(row, m_editor->GetPiece()->rect.top);
    }
    WritePositionPane();
}

int CMyEditView::RowOf(const CTextNode* node) const
{
    if (const CTextRow* current = GetRow(m_currentRow); current && current->node == node)
        return m_currentRow;
    // Made at the first change outside the current row, kept until the rows go.
    if (m_rowOfNode.empty()) {
        m_rowOfNode.reserve(m_rows.size());
        for (int i = 0; i < GetRowCount(); ++i)
            m_rowOfNode.emplace(m_rows[std::size_t(i)]->node, i);
    }
    const auto it = m_rowOfNode.find(node);
    return it != m_rowOfNode.end() ? it->second : -1;
}

void CMyEditView::LoadStrips()
{
    FreeStrips();
    CDc window(viewport());
    // As many pixels as the screen has, as the rows' texts.
    const qreal ratio = viewport()->devicePixelRatioF();
    auto load = [&](UINT id, int cellWidth, std::unique_ptr<CImageBitmap>& bitmap, std::unique_ptr<CDc>& dc) {
        bitmap = CImageBitmap::FromResource(id);
        if (!bitmap)
            return;
        bitmap->GetImage() = ScalePixelArt(bitmap->GetImage(), cellWidth, ratio);
        dc = window.CreateCompatibleCDc();
        dc->SelectObject(bitmap.get());
    };
    load(IDB_TREE_BOXES, CTextRow::BoxSize, m_boxStrip, m_boxDc);
    load(IDB_KIND_ICONS, CTextRow::IconWidth, m_iconStrip, m_iconDc);
    CPlaceholderPiece::LoadStrip(window, ratio);
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
    // As many pixels as the screen has, so that texts stay sharp where one
    // pixel is drawn with several.
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage image((QSizeF(std::max(1, width), std::max(1, height)) * ratio).toSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setDevicePixelRatio(ratio);
    m_offscreen = std::make_unique<CImageBitmap>(image);
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
    connect(m_editor, &QWidget::customContextMenuRequested, this, &CMyEditView::OnEditorContextMenu);
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
    m_rowOfNode.clear();
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
    CTreeAccessible::RowExpanded(this, index);
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

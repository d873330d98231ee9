#include "CMyEditView.h"

#include "CInPlaceEdit.h"
#include "CStatusBar.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "TranslatedStrings.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>

// The current row: revealing it, moving it by keys, opening the editor in it,
// the position pane; and the mouse, which makes a row current or toggles a box.

namespace {

constexpr UINT IDS_ROW_OF_ROWS = 61461; // "Text %i von %i"
constexpr UINT IDS_ROW_COUNT = 61462;   // "%i Texte"

} // namespace

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

bool CMyEditView::PlaceCurrentRow()
{
    if (!GetRow(m_currentRow))
        return false;
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
    return true;
}

void CMyEditView::OpenEditorInCurrentRow(bool atStart, bool caretAtStart)
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row || !m_editor || !PlaceCurrentRow())
        return;
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

void CMyEditView::SetMessageText(const std::u16string& text)
{
    if (m_statusBar)
        m_statusBar->SetPaneText(0, text);
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
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        Click(int(event->position().x()), int(event->position().y()));
    if (event->button() == Qt::RightButton)
        ShowSpellingMenu(event->globalPosition().toPoint());
    event->accept();
}

void CMyEditView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

#include "CMyEditView.h"

#include "CCmdUI.h"
#include "CFindReplaceDialog.h"
#include "CInPlaceEdit.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "resource.h"

// The whole-tree commands: marking a subtree done or to be edited, and
// expanding or collapsing every row at once; and the view's command table.

void CMyEditView::RegisterCommands()
{
    AddCommand(ID_MARK_ALL_TODO, [this] { OnMarkAllToDo(); });
    AddCommand(ID_MARK_ALL_DONE, [this] { OnMarkAllDone(); });
    AddCommand(ID_EXPAND_ALL, [this] { OnExpandAll(); });
    AddCommand(ID_COLLAPSE_ALL, [this] { OnCollapseAll(); });
    AddCommand(ID_SHOW_TODO, [this] { OnShowToDo(); });
    AddCommand(ID_FIND, [this] { OnEditFind(); });
    AddCommand(ID_REPLACE, [this] { OnEditReplace(); });
    AddCommand(ID_FIND_NEXT_DOWN, [this] { OnFindNext(true); });
    AddCommand(ID_FIND_NEXT_UP, [this] { OnFindNext(false); });
    // One dialog at a time: both commands wait until it is closed.
    AddUpdateCommandUI(ID_FIND, [this](CCmdUI& ui) { ui.Enable(!HasFindDialog()); });
    AddUpdateCommandUI(ID_REPLACE, [this](CCmdUI& ui) { ui.Enable(!HasFindDialog()); });
}

void CMyEditView::OnMarkAllToDo()
{
    MarkCurrentSubtree(false);
}

void CMyEditView::OnMarkAllDone()
{
    MarkCurrentSubtree(true);
}

void CMyEditView::MarkCurrentSubtree(bool done)
{
    CTransDoc* doc = GetDocument();
    CTextNode* root = doc ? doc->GetRoot() : nullptr;
    if (!root)
        return;
    // A step of the document's history (none when no state changes); the
    // view repaints when the document tells it.
    CTextRow* row = GetRow(m_currentRow);
    doc->MarkSubtree(row ? row->node : root, done);
}

void CMyEditView::RecomputeShown()
{
    // One pass by the depth rule: a row is shown when its level is within the
    // limit that the last shown row left.
    const std::size_t count = m_rows.size();
    std::vector<int> heights(count);
    std::vector<char> shown(count);
    int limit = 999;
    for (std::size_t i = 0; i < count; ++i) {
        const CTextRow& row = *m_rows[i];
        shown[i] = row.level <= limit;
        if (shown[i])
            limit = row.expanded ? 999 : row.level;
        heights[i] = row.Height(m_textLineHeight, m_foreignLineHeight);
    }
    m_heights.Assign(heights, shown);
}

void CMyEditView::RecomputeShownFromTop()
{
    RecomputeShown();
    m_vScroll = 0;
    m_vThumb = 0.0;
    m_vBandTop = 0.0;
    ComputeDocumentHeight();
    UpdateScrollBars(true);
    RepaintAll();
}

void CMyEditView::OnExpandAll()
{
    for (auto& row : m_rows)
        row->expanded = true;
    RecomputeShown();
    // The pixel position stays where it was.
    ComputeDocumentHeight();
    UpdateScrollBars(true);
    RepaintAll();
    FollowCurrentRow();
}

void CMyEditView::OnCollapseAll()
{
    for (auto& row : m_rows)
        row->expanded = false;
    RecomputeShownFromTop();
    FollowCurrentRow();
}

void CMyEditView::FollowCurrentRow()
{
    // Rows moved under an open editor: it goes along with its row, or the
    // edit ends when the row is hidden now; typing must never reach a row
    // other than the one it is shown on.
    CTextRow* row = GetRow(m_currentRow);
    const CTextPiece* piece = m_editor ? m_editor->GetPiece() : nullptr;
    if (!row || !piece)
        return;
    if (!IsRowShown(m_currentRow) || !PlaceCurrentRow()) {
        row->EndEdit();
        RepaintAll();
        return;
    }
    const CRect& at = m_editor->GetRect();
    MoveEditor(m_currentOrigin.x + piece->rect.left - at.left,
               m_currentOrigin.y + piece->rect.top - at.top);
}

void CMyEditView::OnShowToDo()
{
    if (CTextRow* row = GetRow(m_currentRow))
        row->EndEdit();
    m_currentRow = -1;
    for (auto& row : m_rows) {
        switch (row->node->editState) {
        case 2: case 5:
            row->expanded = true;
            break;
        case 0: case 1: case 3: case 4:
            row->expanded = false;
            break;
        default:
            break;
        }
    }
    RecomputeShownFromTop();
    WritePositionPane();
}

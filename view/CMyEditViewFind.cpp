#include "CMyEditView.h"

#include "CFindReplaceDialog.h"
#include "CInPlaceEdit.h"
#include "CSearchCursor.h"
#include "CTextNode.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "Pieces.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <algorithm>

// Find and replace: the modeless dialog, the search cursor's walk over the
// rows, replacing one match and replacing all. A row the walk only looks at
// is matched on its piece texts as a split gives them (no piece objects, no
// fonts) and only when its text can hold the find text at all; only the row
// of a hit is laid out.

namespace {

// The editable pieces of a row: its own pieces once it has them, else what
// splitting its node's text would give.
void PieceTextsOf(const CTextRow& row, std::vector<pieces::PieceText>& texts)
{
    texts.clear();
    if (!row.HasPieces()) {
        pieces::SplitTexts(row.node->translatedText, texts);
        return;
    }
    for (const auto& piece : row.translatedPieces)
        texts.push_back({piece->text, piece->IsFixed()});
}

} // namespace

bool CMyEditView::AddBatchEdit(CTextNode* node, std::u16string text)
{
    const auto [it, added] = m_batchIndex.emplace(node, m_batchEdits.size());
    if (added)
        m_batchEdits.push_back({node, std::move(text)});
    else
        m_batchEdits[it->second].text = std::move(text);
    return true;
}

CFindReplaceDialog* CMyEditView::GetFindDialog() const
{
    if (m_findDialog && !m_findDialog->IsTerminating())
        return m_findDialog;
    return nullptr;
}

void CMyEditView::OnEditFind()
{
    delete m_findDialog.data();
    m_replaceMode = false;
    m_findDialog = new CFindReplaceDialog(true);
    if (!m_findDialog->Create(u"", u"", FR_DOWN, nullptr)) {
        delete m_findDialog.data();
        m_findDialog = nullptr;
    }
}

void CMyEditView::OnEditReplace()
{
    CTransDoc* doc = GetDocument();
    if (!doc || doc->IsOriginal()) {
        if (doc)
            doc->AskNewFromOriginal();
        return;
    }
    delete m_findDialog.data();
    m_replaceMode = true;
    m_findDialog = new CFindReplaceDialog(false);
    if (!m_findDialog->Create(u"", u"", FR_DOWN, nullptr)) {
        delete m_findDialog.data();
        m_findDialog = nullptr;
    }
}

void CMyEditView::OnFindNext(bool down)
{
    if (!GetFindDialog()) {
        OnEditFind();
        return;
    }
    m_directionDown = down;
    Search(false, false);
}

LRESULT CMyEditView::OnFindReplace(WPARAM, LPARAM lParam)
{
    // Only the view's own dialog is listened to (and nothing else is read
    // through the parameter).
    CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
    if (!dialog || dialog != m_findDialog.data())
        return 0;
    if (dialog->IsTerminating()) {
        // The dialog deletes itself.
        if (m_findDialog == dialog)
            m_findDialog = nullptr;
    } else if (dialog->FindNext()) {
        m_directionDown = dialog->SearchDown();
        Search(false, false);
    } else if (dialog->ReplaceCurrent()) {
        ReplaceOne(false);
    } else if (dialog->ReplaceAll()) {
        ReplaceAll();
    }
    return 0;
}

void CMyEditView::BuildSearchCursor()
{
    m_searchCursor = std::make_unique<CSearchCursor>();
    CSearchCursor& cursor = *m_searchCursor;
    cursor.down = m_directionDown;
    if (CTextRow* row = GetRow(m_currentRow); row && m_editor) {
        if (!m_editor->hasFocus())
            m_editor->setFocus();
        int start = 0;
        int end = 0;
        m_editor->GetSel(start, end);
        cursor.startRow = m_currentRow;
        cursor.startPiece = row->currentPiece;
        cursor.startPosition = std::max(0, start + (cursor.down ? 1 : -1));
    }
    cursor.currentRow = cursor.startRow;
    cursor.currentPiece = cursor.startPiece;
    cursor.currentPosition = cursor.startPosition;
    cursor.rowCount = GetRowCount();
    if (const CFindReplaceDialog* dialog = GetFindDialog()) {
        cursor.SetFind(dialog->GetFindString(), dialog->MatchCase(), dialog->MatchWholeWord());
        cursor.replaceText = dialog->GetReplaceString();
    }
}

bool CMyEditView::SearchCursorRow()
{
    CSearchCursor& cursor = *m_searchCursor;
    const CTextRow* row = GetRow(cursor.currentRow);
    if (!row)
        return false;
    // Most rows cannot hold the find text at all: they are not even split.
    if (!row->HasPieces() && !cursor.MayOccurIn(row->node->translatedText))
        return false;
    thread_local std::vector<pieces::PieceText> texts;
    PieceTextsOf(*row, texts);
    const int count = int(texts.size());
    if (count == 0)
        return false;
    const bool startRow = cursor.currentRow == cursor.startRow;
    int startPiece = cursor.startPiece < 0 || cursor.startPiece >= count ? count - 1
                                                                          : cursor.startPiece;
    int first = cursor.down ? 0 : count - 1;
    if (startRow)
        first = startPiece;
    const int step = cursor.down ? 1 : -1;
    for (int p = first; p >= 0 && p < count; p += step) {
        cursor.currentPiece = p;
        if (texts[std::size_t(p)].fixed)
            continue;
        // The start position counts only in the start piece of the start row.
        if (!(startRow && p == startPiece))
            cursor.currentPosition = cursor.down ? 0 : -1;
        else
            cursor.currentPosition = cursor.startPosition;
        if (cursor.MatchPiece(texts[std::size_t(p)].text))
            return true;
    }
    return false;
}

bool CMyEditView::Search(bool advanceFirst, bool quiet)
{
    BuildSearchCursor();
    CSearchCursor& cursor = *m_searchCursor;
    cursor.stopRow = m_stopRow;
    if (advanceFirst)
        cursor.Step();
    for (;;) {
        if (SearchCursorRow()) {
            ShowHit();
            return true;
        }
        if (!cursor.Step()) {
            if (!quiet)
                TranslatedMessageBox(IDS_NOT_FOUND, MB_OK);
            return false;
        }
    }
}

void CMyEditView::ShowHit()
{
    const CSearchCursor& cursor = *m_searchCursor;
    if (CTextRow* old = GetRow(m_currentRow))
        old->EndEdit();
    m_currentRow = cursor.currentRow;
    RevealCurrentRow();
    MakeCurrentRowVisible();
    UpdateScrollBars(true);
    CTextRow& row = *m_rows[std::size_t(m_currentRow)];
    row.EnsurePieces();
    auto* piece = cursor.currentPiece >= 0 &&
                          std::size_t(cursor.currentPiece) < row.translatedPieces.size()
                      ? dynamic_cast<CTextPiece*>(row.translatedPieces[std::size_t(cursor.currentPiece)].get())
                      : nullptr;
    if (piece && m_editor && PlaceCurrentRow()) {
        row.currentPiece = cursor.currentPiece;
        piece->BeginEdit(m_editor, m_currentOrigin.x, m_currentOrigin.y, cursor.currentPosition);
        m_editor->SetSel(cursor.currentPosition,
                         cursor.currentPosition + int(cursor.findText.size()));
        m_editor->setFocus();
        MakePieceVisible(&row, piece->rect.top);
    }
    RepaintAll();
    WritePositionPane();
}

bool CMyEditView::ReplaceOne(bool quiet)
{
    if (!GetRow(m_currentRow) || !m_searchCursor || !m_editor)
        return Search(true, quiet);
    bool replaced = false;
    const CSearchCursor& cursor = *m_searchCursor;
    const bool accepted = m_editor->ReplaceSelection(
        cursor.replaceText, [&](const std::u16string& selected) {
            replaced = cursor.EqualsFindText(selected) && !m_editor->IsReadOnlyText();
            return replaced;
        });
    if (accepted) {
        m_batchReplaced = m_batchReplaced || replaced;
        return Search(false, quiet);
    }
    if (!quiet)
        TranslatedMessageBox(IDS_REPLACE_TOO_LONG, MB_OK);
    return Search(true, quiet);
}

void CMyEditView::ReplaceAll()
{
    m_stopRow = m_currentRow >= 0 ? m_currentRow : 0;
    m_batchEditing = true;
    m_batchReplaced = false;
    // Hidden, the editor lays out its text only once it is shown again, not
    // at every match it moves to.
    const QPointer<CInPlaceEdit> editor = m_editor;
    const bool shown = editor && editor->isVisible();
    if (shown)
        editor->hide();
    while (ReplaceOne(true)) {
    }
    if (shown && editor) {
        editor->show();
        if (editor->GetPiece())
            editor->setFocus();
    }
    m_batchEditing = false;
    m_stopRow = -1;
    // Every replaced text goes to the document at once: one step to undo.
    if (CTransDoc* doc = GetDocument(); doc && !m_batchEdits.empty())
        doc->ReplaceTexts(std::move(m_batchEdits));
    m_batchEdits.clear();
    m_batchIndex.clear();
    m_batchReplaced = false;
    RepaintAll();
    WritePositionPane();
}

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
    // Without a dialog F3 searches again for the last find text; only when
    // there is none yet does it open the dialog.
    if (!GetFindDialog() && (!m_searchCursor || m_searchCursor->findText.empty())) {
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

void CMyEditView::ReadDialog(CSearchCursor& cursor) const
{
    if (const CFindReplaceDialog* dialog = GetFindDialog()) {
        cursor.SetFind(dialog->GetFindString(), dialog->MatchCase(), dialog->MatchWholeWord());
        cursor.replaceText = dialog->GetReplaceString();
    } else if (m_searchCursor && &cursor != m_searchCursor.get()) {
        // The dialog is closed: what it held at the last search.
        cursor.SetFind(m_searchCursor->findText, m_searchCursor->matchCase,
                       m_searchCursor->wholeWord);
        cursor.replaceText = m_searchCursor->replaceText;
    }
}

void CMyEditView::BuildSearchCursor(std::optional<int> startPosition)
{
    auto made = std::make_unique<CSearchCursor>();
    ReadDialog(*made);
    m_searchCursor = std::move(made);
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
        cursor.startPosition =
            std::max(0, startPosition.value_or(start + (cursor.down ? 1 : -1)));
    }
    cursor.currentRow = cursor.startRow;
    cursor.currentPiece = cursor.startPiece;
    cursor.currentPosition = cursor.startPosition;
    cursor.rowCount = GetRowCount();
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
    return Walk(advanceFirst, quiet, std::nullopt);
}

bool CMyEditView::Walk(bool advanceFirst, bool quiet, std::optional<int> startPosition)
{
    BuildSearchCursor(startPosition);
    CSearchCursor& cursor = *m_searchCursor;
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
    // The hit shows in the active colour; the find dialog, whose transient
    // parent this window is, stays above it.
    if (!m_batchEditing)
        activateWindow();
    RepaintAll();
    WritePositionPane();
}

bool CMyEditView::ReplaceOne(bool quiet)
{
    if (!GetRow(m_currentRow) || !m_searchCursor || !m_editor)
        return Search(true, quiet);
    CSearchCursor& cursor = *m_searchCursor;
    // The dialog's texts now, not those of the last search: a replace text
    // typed after Find Next must not replace the match by nothing.
    ReadDialog(cursor);
    bool replaced = false;
    const bool accepted = m_editor->ReplaceSelection(
        cursor.replaceText, [&](const std::u16string& selected) {
            replaced = cursor.EqualsFindText(selected) && !m_editor->IsReadOnlyText();
            return replaced;
        });
    if (!accepted) {
        if (!quiet)
            TranslatedMessageBox(IDS_REPLACE_TOO_LONG, MB_OK);
        return Search(true, quiet);
    }
    if (!replaced)
        return Search(false, quiet);
    // On right after the inserted text (upwards: before it), so that neither
    // the replacement is matched again nor a match next to it is skipped.
    int caret = 0;
    int end = 0;
    m_editor->GetSel(caret, end);
    return Walk(false, quiet,
                m_directionDown ? caret : caret - int(cursor.replaceText.size()));
}

CMyEditView::RowReplacement CMyEditView::ReplaceInRow(int index, const CSearchCursor& cursor,
                                                      std::vector<CTransDoc::TextEdit>& edits)
{
    CTextRow& row = *m_rows[std::size_t(index)];
    if (!row.HasPieces() && !cursor.MayOccurIn(row.node->translatedText))
        return RowReplacement::None;
    row.EnsurePieces();
    std::vector<std::pair<CTextPiece*, std::u16string>> changes;
    for (const auto& piece : row.translatedPieces) {
        auto* text = dynamic_cast<CTextPiece*>(piece.get());
        if (!text)
            continue;
        std::u16string replaced = cursor.ReplaceEvery(text->text);
        if (replaced == text->text)
            continue;
        // A text of limited size takes all of its replacements or none.
        if (!text->freeSize && !CInPlaceEdit::FitsWidth(replaced, row.node->width))
            return RowReplacement::Refused;
        changes.emplace_back(text, std::move(replaced));
    }
    if (changes.empty())
        return RowReplacement::None;
    for (auto& [piece, text] : changes)
        piece->text = std::move(text);
    // The row shows its new text; the document takes it with all the others.
    edits.push_back({row.node, row.ComposeTranslated()});
    return RowReplacement::Changed;
}

CMyEditView::ReplaceAllResult CMyEditView::ReplaceAll(int stepBudget)
{
    ReplaceAllResult result;
    CTransDoc* doc = GetDocument();
    CSearchCursor cursor;
    ReadDialog(cursor);
    if (!doc || doc->IsOriginal() || doc->IsBusy() || cursor.findText.empty())
        return result;
    // The editor lets go of its piece, whose text may change, and comes back
    // to the same place at the end.
    CTextRow* current = GetRow(m_currentRow);
    const int piece = current ? current->currentPiece : -1;
    int caret = 0;
    int end = 0;
    if (m_editor && m_editor->GetPiece())
        m_editor->GetSel(caret, end);
    if (current)
        current->EndEdit();

    // Every row once, in order: no row is searched twice, whatever the
    // replacements insert or the width rule refuses, so the pass always ends.
    m_batchEditing = true;
    std::vector<CTransDoc::TextEdit> edits;
    const int rows = GetRowCount();
    int step = 0;
    for (; step < rows && step < stepBudget; ++step) {
        switch (ReplaceInRow(step, cursor, edits)) {
        case RowReplacement::Changed:
            ++result.changed;
            break;
        case RowReplacement::Refused:
            ++result.refused;
            break;
        case RowReplacement::None:
            break;
        }
    }
    result.ended = step == rows;
    // One step for every replaced text: the document marks them done,
    // recomputes the states and tells the view and the checks once.
    if (!edits.empty())
        doc->ReplaceTexts(std::move(edits));
    m_batchEditing = false;
    auto* text = current && piece >= 0 && std::size_t(piece) < current->translatedPieces.size()
                     ? dynamic_cast<CTextPiece*>(current->translatedPieces[std::size_t(piece)].get())
                     : nullptr;
    if (text && m_editor && PlaceCurrentRow()) {
        current->currentPiece = piece;
        text->BeginEdit(m_editor, m_currentOrigin.x, m_currentOrigin.y, caret);
        m_editor->setFocus();
    }
    RepaintAll();
    WritePositionPane();
    std::u16string said;
    FormatTranslated(said, IDS_REPLACE_ALL_COUNT, result.changed, result.refused);
    SetMessageText(said);
    return result;
}

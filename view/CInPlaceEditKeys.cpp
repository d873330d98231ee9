#include "CInPlaceEdit.h"

#include "CMyEditView.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "QtStrings.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPointer>

// The in-place editor's keys, one function per group: undo and redo, the
// question for original-language files, moving, the keys that split and
// join lines, and those that edit the text.

namespace {

bool IsUndoKey(const QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return (event->key() == Qt::Key_Z && mods == Qt::ControlModifier) ||
           (event->key() == Qt::Key_Backspace && mods == Qt::AltModifier);
}

bool IsRedoKey(const QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return (event->key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
           (event->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier));
}

} // namespace

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    if (DocumentIsBusy() || LeavingKey(event))
        return;
    if (HistoryKey(event) || OriginalFileKey(event))
        return;
    if (!m_piece) {
        ParkedKey(event);
        return;
    }
    if (!MovingKey(event) && !LineKey(event))
        EditingKey(event);
}

bool CInPlaceEdit::LeavingKey(QKeyEvent* event)
{
    if (!m_view)
        return false;
    // Tab types a tab character, and Ctrl+Left/Right move the caret by words:
    // the keys that reach the tree and the other panes are chords of their own.
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = event->key();
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        m_view->LeaveEditor();
        return true;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && mods == Qt::AltModifier) {
        m_view->ExpandCurrentRow(key == Qt::Key_Right);
        return true;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (mods & Qt::ControlModifier)) {
        // On to the next pane as Tab goes from the view (the frame decides where).
        QWidget::focusNextPrevChild(key == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
        return true;
    }
    return false;
}

bool CInPlaceEdit::HistoryKey(QKeyEvent* event)
{
    const bool undo = IsUndoKey(event);
    if (!undo && !IsRedoKey(event))
        return false;
    // The view may open this editor elsewhere: the step's text gets the caret.
    if (CTransDoc* doc = m_view ? m_view->GetDocument() : nullptr)
        undo ? doc->Undo() : doc->Redo();
    return true;
}

bool CInPlaceEdit::OriginalFileKey(QKeyEvent* event)
{
    const bool asks = DocumentIsOriginal() && !(event->modifiers() & Qt::AltModifier) &&
                      event->key() != Qt::Key_Delete &&
                      (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
                       !event->text().isEmpty());
    if (!asks)
        return false;
    // A character asks first, whether a piece is attached or not; the
    // question may start a new translation, which replaces this editor.
    if (CTransDoc* doc = m_view->GetDocument())
        doc->AskNewFromOriginal();
    return true;
}

void CInPlaceEdit::ParkedKey(QKeyEvent* event)
{
    // Parked: nothing to edit, but moving keys do no harm.
    if (event->text().isEmpty() && !event->matches(QKeySequence::Paste) &&
        !event->matches(QKeySequence::Cut) && event->key() != Qt::Key_Delete &&
        event->key() != Qt::Key_Backspace)
        QPlainTextEdit::keyPressEvent(event);
}

bool CInPlaceEdit::MovingKey(QKeyEvent* event)
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        MoveToLine(event->key() == Qt::Key_Down);
        return true;
    case Qt::Key_PageUp:
        if (m_view)
            m_view->MoveCurrentRow(2 - m_view->GetShownRows(), true, true);
        return true;
    case Qt::Key_PageDown:
        if (m_view)
            m_view->MoveCurrentRow(m_view->GetShownRows() - 3, true, true);
        return true;
    case Qt::Key_Left:
        if (start != 0)
            return false;
        MoveToPiece(false);
        return true;
    case Qt::Key_Right:
        if (end != int(GetWindowText().size()))
            return false;
        MoveToPiece(true);
        return true;
    default:
        return false;
    }
}

bool CInPlaceEdit::LineKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        if (!m_readOnly)
            DeleteKey(event);
        return true;
    case Qt::Key_Backspace:
        BackspaceKey(event);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_readOnly)
            SplitLine();
        return true;
    default:
        return false;
    }
}

void CInPlaceEdit::DeleteKey(QKeyEvent* event)
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    CTextRow* row = Row();
    const int index = PieceIndex();
    const int last = row ? int(row->translatedPieces.size()) - 1 : 0;
    if (end == int(GetWindowText().size()) && index >= 0 && index < last) {
        // At the end of a line: the next line joins this one, a step of its own.
        m_deletePending = false;
        const std::int32_t caretBefore = CaretOffset(start);
        m_piece->text = GetWindowText().substr(0, std::size_t(start));
        Join(false);
        CommitRow(TextEditKind::JoinLines, caretBefore);
        return;
    }
    m_deletePending = true;
    m_inDefault = true;
    QPlainTextEdit::keyPressEvent(event);
    m_inDefault = false;
}

void CInPlaceEdit::BackspaceKey(QKeyEvent* event)
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    // The join inserts a space that the character code 8 of the same key
    // removes again, so the lines meet without one; that character's commit
    // takes the join into the document, or the join alone when the width
    // rule refuses the character.
    QPointer<CInPlaceEdit> self(this);
    const std::int32_t caretBefore = CaretOffset(start);
    const bool joined = !m_readOnly && start == 0 && PieceIndex() > 0 && Join(true);
    if (self && !TypeText(std::u16string(), [this, event] { QPlainTextEdit::keyPressEvent(event); }) &&
        joined && self)
        CommitRow(TextEditKind::JoinLines, caretBefore);
}

void CInPlaceEdit::EditingKey(QKeyEvent* event)
{
    const auto applyDefault = [this, event] { QPlainTextEdit::keyPressEvent(event); };
    const bool paste = event->matches(QKeySequence::Paste);
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (paste && !alt) {
        PasteText(ToU16(QApplication::clipboard()->text()));
        return;
    }
    const bool edits = paste || event->matches(QKeySequence::Cut) ||
                       event->matches(QKeySequence::DeleteEndOfWord) ||
                       event->matches(QKeySequence::DeleteStartOfWord);
    const QString typed = event->text();
    if (!edits && typed.isEmpty()) {
        // Moving the caret, selecting, dead keys: the control's own business.
        applyDefault();
        return;
    }
    const bool printable = !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
                           typed.at(0).unicode() != 0x7F;
    const std::u16string inserted = paste ? ToU16(QApplication::clipboard()->text())
                                          : printable ? ToU16(typed) : std::u16string();
    if (!alt) {
        TypeText(inserted, applyDefault);
        return;
    }
    // A system character: no question for original-language files.
    if (m_piece && !m_readOnly) {
        const CRect previous = PredictSize(inserted);
        m_inDefault = true;
        applyDefault();
        m_inDefault = false;
        Commit(previous);
    }
}

void CInPlaceEdit::keyReleaseEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Delete && m_deletePending && m_piece && !DocumentIsBusy())
        Commit(m_rect);
}

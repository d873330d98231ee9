#include "CInPlaceEdit.h"

#include "CDc.h"
#include "CFont.h"
#include "CMyEditView.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "CTreeAccessible.h"
#include "CWnd.h"
#include "CTextNode.h"
#include "Pieces.h"
#include "QtStrings.h"
#include "SizeLimit.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// Room right of and below the text area for the caret column and the
// outline, whose right side lies at x = w + 1 and must fall inside.
constexpr int OutlineRight = 2;
constexpr int OutlineBottom = 2;

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// A caret never stands between the two halves of a surrogate pair.
int PairSafe(const std::u16string& text, int pos)
{
    if (pos > 0 && pos < int(text.size()) && IsLowSurrogate(text[std::size_t(pos)]) &&
        IsHighSurrogate(text[std::size_t(pos) - 1]))
        return pos + 1;
    return pos;
}

CTextRow* RowOf(const CTextPiece* piece) { return piece ? piece->row : nullptr; }

} // namespace

CInPlaceEdit::CInPlaceEdit(CMyEditView* view, QWidget* parent)
    : QPlainTextEdit(parent), m_view(view)
{
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The view offers its spelling menu on a misspelt word.
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAcceptDrops(false);
    setTabChangesFocus(false);
    setViewportMargins(0, 0, OutlineRight, OutlineBottom);
    document()->setDocumentMargin(0);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    // Undo and redo are the document's, across every text.
    setUndoRedoEnabled(false);
    CWnd(this).SetDlgCtrlID(ControlId);
    m_font = std::make_unique<QFont>(CTextPiece::FontFor(false).GetQFont());
    setFont(*m_font);
    setCursorWidth(0);
    connect(this, &QPlainTextEdit::textChanged, this, &CInPlaceEdit::TextChangedOutside);
    MoveTo(ParkedRect);
    show();
}

CInPlaceEdit::~CInPlaceEdit()
{
    if (m_piece && m_piece->editor == this)
        m_piece->editor = nullptr;
}

void CInPlaceEdit::Place()
{
    setGeometry(m_rect.left, m_rect.top, std::max(0, m_rect.Width()) + OutlineRight,
                std::max(0, m_rect.Height()) + OutlineBottom);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CInPlaceEdit::MoveTo(const CRect& rect)
{
    m_rect = rect;
    Place();
}

void CInPlaceEdit::MoveBy(int dx, int dy)
{
    m_rect.OffsetRect(dx, dy);
    Place();
    update();
}

void CInPlaceEdit::Attach(CTextPiece* piece, int caret)
{
    m_readOnly = DocumentIsOriginal();
    if (m_view)
        setTabStopDistance(std::max(1, m_view->GetTabWidth()));
    const QFont& font = CTextPiece::FontFor(false).GetQFont();
    if (font != *m_font) {
        *m_font = font;
        setFont(*m_font);
    }
    m_piece = piece;
    m_deletePending = false;
    // Typing in another text (or at another place) is a step of its own.
    if (CTransDoc* doc = m_view ? m_view->GetDocument() : nullptr)
        doc->BreakTyping();
    setAccessibleName(piece && piece->row ? CTreeAccessible::EditorName(*piece->row) : QString());
    SetWindowText(piece ? piece->text : std::u16string());
    if (caret < 0)
        SetSel(int(GetWindowText().size()), int(GetWindowText().size()));
    else
        SetSel(caret, caret);
    setCursorWidth(1);
    Place();
}

void CInPlaceEdit::Detach()
{
    m_piece = nullptr;
    m_deletePending = false;
    setCursorWidth(0);
    update();
}

std::u16string CInPlaceEdit::GetWindowText() const
{
    // The raw text keeps no-break spaces; paragraph breaks (a pasted line
    // break) come back as line feeds.
    std::u16string text = ToU16(document()->toRawText());
    std::replace(text.begin(), text.end(), char16_t(0x2029), u'\n');
    return text;
}

void CInPlaceEdit::SetWindowText(const std::u16string& text)
{
    const bool was = m_settingText;
    m_settingText = true;
    setPlainText(ToQString(text));
    m_settingText = was;
    Place();
}

void CInPlaceEdit::ShowMisspelt(const std::vector<TextRange>& words)
{
    // Set only when they differ: each setting repaints the control.
    const QList<QTextEdit::ExtraSelection> shown = extraSelections();
    const bool same = std::equal(words.begin(), words.end(), shown.begin(), shown.end(),
                                 [](const TextRange& word, const QTextEdit::ExtraSelection& s) {
                                     return std::size_t(s.cursor.selectionStart()) == word.begin &&
                                            std::size_t(s.cursor.selectionEnd()) == word.end;
                                 });
    if (same)
        return;
    QList<QTextEdit::ExtraSelection> selections;
    for (const TextRange& word : words) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(document());
        selection.cursor.setPosition(int(word.begin));
        selection.cursor.setPosition(int(word.end), QTextCursor::KeepAnchor);
        selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        selection.format.setUnderlineColor(Qt::red);
        selections.append(selection);
    }
    setExtraSelections(selections);
}

void CInPlaceEdit::GetSel(int& start, int& end) const
{
    const QTextCursor cursor = textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
}

void CInPlaceEdit::SetSel(int start, int end)
{
    QTextCursor cursor = textCursor();
    if (start < 0) {
        cursor.clearSelection();
    } else {
        const std::u16string text = GetWindowText();
        const int length = int(text.size());
        start = PairSafe(text, std::clamp(start, 0, length));
        end = end < 0 ? length : PairSafe(text, std::clamp(end, 0, length));
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    horizontalScrollBar()->setValue(0);
}

bool CInPlaceEdit::DocumentIsOriginal() const
{
    CTransDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    return doc && doc->IsOriginal();
}

bool CInPlaceEdit::DocumentIsBusy() const
{
    CTransDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    return doc && doc->IsBusy();
}

std::int32_t CInPlaceEdit::CaretOffset(int caret) const
{
    CTextRow* row = Row();
    return row ? pieces::TextOffset(row->translatedPieces, {PieceIndex(), caret}) : -1;
}

bool CInPlaceEdit::CommitRow(TextEditKind kind, std::int32_t caretBefore)
{
    CTextRow* row = Row();
    CTransDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    if (!row || !doc)
        return false;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const std::int32_t caretAfter = CaretOffset(start);
    return doc->EditText(row->node, row->ComposeTranslated(), m_stepKind.value_or(kind),
                         caretBefore, caretAfter);
}

CTextRow* CInPlaceEdit::Row() const { return RowOf(m_piece); }

int CInPlaceEdit::PieceIndex() const
{
    CTextRow* row = Row();
    if (!row)
        return -1;
    const PieceList& list = row->translatedPieces;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() == m_piece)
            return int(i);
    }
    return -1;
}

CRect CInPlaceEdit::PredictSize(const std::u16string& s)
{
    const CRect previous = m_rect;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    m_selBefore = start;
    const std::u16string text = GetWindowText();
    const std::u16string result =
        text.substr(0, std::size_t(start)) + s + text.substr(std::size_t(end));
    CDc dc(this);
    CFont* old = dc.SelectObject(&CTextPiece::FontFor(false));
    int tab = m_piece ? m_piece->TabWidth(dc) : 8;
    const CSize extent = dc.GetTabbedTextExtent(result, std::span<const int>(&tab, 1));
    dc.SelectObject(old);
    MoveTo(CRect(m_rect.left, m_rect.top, m_rect.left + extent.cx + 1, m_rect.bottom));
    return previous;
}

bool CInPlaceEdit::FitsWidth(const std::u16string& text, int width)
{
    return size_limit::Fits(text, width);
}

bool CInPlaceEdit::Commit(const CRect& previous)
{
    CTextPiece* piece = m_piece;
    CTextRow* row = Row();
    if (!piece || !row)
        return false;
    const std::u16string text = GetWindowText();
    CTextNode* node = row->node;
    const std::u16string before = piece->text;
    // Keys that change nothing (Escape, Ctrl+C, Backspace at the very start)
    // leave the text's state and the file alone.
    if (text == before)
        return true;
    if (!piece->freeSize && !FitsWidth(text, node ? node->width : 0)) {
        Refuse(before, previous);
        // A key that seems to do nothing needs a word why.
        QApplication::beep();
        if (m_view)
            m_view->SetMessageText(TranslatedString(IDS_TOO_WIDE));
        return false;
    }
    // The piece shows the text while the document takes it: the document
    // marks it done, recomputes the states and tells the view, which lays
    // the row out again.
    const std::int32_t caretBefore = CaretOffset(std::max(0, m_selBefore));
    piece->text = text;
    if (!CommitRow(TextEditKind::Typing, caretBefore)) {
        piece->text = before;
        Refuse(before, previous);
        return false;
    }
    MoveTo(CRect(previous.left, previous.top, previous.left + piece->rect.Width(),
                 previous.top + piece->rect.Height()));
    return true;
}

void CInPlaceEdit::Refuse(const std::u16string& text, const CRect& previous)
{
    SetWindowText(text);
    if (m_selBefore >= 0)
        SetSel(m_selBefore, m_selBefore);
    if (m_view)
        m_view->RepaintCurrentRow();
    MoveTo(previous);
}

bool CInPlaceEdit::ReplaceSelection(const std::u16string& replaceText,
                                    const std::function<bool(const std::u16string&)>& matches)
{
    if (m_readOnly || !m_piece)
        return true;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const std::u16string selected =
        GetWindowText().substr(std::size_t(start), std::size_t(end - start));
    if (!matches(selected))
        return true;
    const CRect previous = PredictSize(replaceText);
    m_inDefault = true;
    textCursor().insertText(ToQString(replaceText));
    m_inDefault = false;
    m_stepKind = TextEditKind::Replace;
    const bool accepted = Commit(previous);
    m_stepKind.reset();
    return accepted;
}

bool CInPlaceEdit::TypeText(const std::u16string& s, const std::function<void()>& apply)
{
    if (DocumentIsOriginal()) {
        // Starting a new translation rebuilds the view, which replaces this
        // editor: nothing of it may be touched afterwards.
        if (CTransDoc* doc = m_view->GetDocument())
            doc->AskNewFromOriginal();
        return false;
    }
    if (!m_piece || m_readOnly)
        return false;
    const CRect previous = PredictSize(s);
    m_inDefault = true;
    apply();
    m_inDefault = false;
    return Commit(previous);
}

void CInPlaceEdit::TextChangedOutside()
{
    // Every change must reach the piece; one that came some other way than a
    // key we handled (undo from a menu, a drop) is committed here, or undone
    // in a text that may not change.
    if (m_settingText || m_inDefault || !m_piece)
        return;
    if (m_readOnly || DocumentIsBusy()) {
        SetWindowText(m_piece->text);
        return;
    }
    Commit(m_rect);
}

void CInPlaceEdit::insertFromMimeData(const QMimeData* source)
{
    if (m_inDefault || !source) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    if (!DocumentIsBusy())
        PasteText(ToU16(source->text()));
}

void CInPlaceEdit::PasteText(const std::u16string& text)
{
    if (DocumentIsOriginal() || !m_piece || m_readOnly) {
        TypeText(text, [] {});
        return;
    }
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    if (text.empty())
        return;
    // One step, however many lines: one text is changed, line by line.
    CTransDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    if (doc)
        doc->BeginStep();
    m_stepKind = TextEditKind::Paste;
    QPointer<CInPlaceEdit> self(this);
    for (std::size_t i = 0; i < lines.size() && self && m_piece; ++i) {
        if (i > 0)
            SplitLine();
        if (i == 0 || !lines[i].empty()) {
            const QString line = ToQString(lines[i]);
            TypeText(lines[i], [this, &line] { textCursor().insertText(line); });
        }
    }
    if (self)
        m_stepKind.reset();
    if (doc)
        doc->EndStep();
}

void CInPlaceEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (DocumentIsBusy())
        return;
    const QString commit = event->commitString();
    if (commit.isEmpty() && event->replacementLength() == 0) {
        // Composition in progress: the preedit text is shown, nothing is
        // committed; the editor grows so that it can be seen.
        m_inDefault = true;
        QPlainTextEdit::inputMethodEvent(event);
        m_inDefault = false;
        if (m_piece && !event->preeditString().isEmpty())
            PredictSize(ToU16(event->preeditString()));
        else if (m_piece)
            MoveTo(CRect(m_rect.left, m_rect.top, m_rect.left + m_piece->rect.Width(),
                         m_rect.top + m_piece->rect.Height()));
        return;
    }
    if (DocumentIsOriginal() || !m_piece || m_readOnly) {
        // Dropped: only the composition is ended.
        QInputMethodEvent end;
        m_inDefault = true;
        QPlainTextEdit::inputMethodEvent(&end);
        m_inDefault = false;
        TypeText(ToU16(commit), [] {});
        return;
    }
    TypeText(ToU16(commit), [this, event] { QPlainTextEdit::inputMethodEvent(event); });
}

bool CInPlaceEdit::event(QEvent* event)
{
    const bool result = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Paint && m_piece) {
        // Outline of the text area (0, 0, w, h): under it only on the row's
        // last line, and up its right side.
        const int w = m_rect.Width();
        const int h = m_rect.Height();
        CTextRow* row = Row();
        const bool lastLine = row && m_piece->line + 1 >= pieces::LineCount(row->translatedPieces);
        QPainter painter(this);
        painter.setPen(Qt::black);
        if (lastLine)
            painter.drawLine(1, h + 1, w, h + 1);
        painter.drawLine(w + 1, lastLine ? h + 1 : h, w + 1, 2);
    }
    return result;
}

void CInPlaceEdit::LayOut(CTextRow* row)
{
    CDc dc(parentWidget());
    row->Layout(dc);
    // The view lays its current row out once more and keeps its sum of the
    // row heights up to date.
    if (m_view)
        m_view->RepaintCurrentRow();
}

void CInPlaceEdit::SplitLine()
{
    CTextRow* row = Row();
    if (!row)
        return;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const std::u16string text = GetWindowText();
    const std::u16string left = text.substr(0, std::size_t(start));
    const std::u16string right = text.substr(std::size_t(end));
    if (m_piece->freeSize || pieces::LineCount(row->translatedPieces) != row->initialLineCount) {
        const std::int32_t caretBefore = CaretOffset(start);
        m_piece->text = left;
        SplitRowAt(right);
        // The text has a new line: not done by this, but changed.
        CommitRow(TextEditKind::NewLine, caretBefore);
    }
}

void CInPlaceEdit::SplitRowAt(const std::u16string& tail)
{
    CTextPiece* piece = m_piece;
    CTextRow* row = Row();
    const int i = PieceIndex();
    if (i < 0)
        return;
    piece->EndEdit();
    PieceList& list = row->translatedPieces;
    auto made = std::make_unique<CTextPiece>(tail, piece->line + 1, false, row->freeSize, row,
                                             false);
    made->doublePercent = piece->doublePercent;
    CTextPiece* target = made.get();
    for (std::size_t j = std::size_t(i) + 1; j < list.size(); ++j)
        list[j]->line += 1;
    list.insert(list.begin() + i + 1, std::move(made));
    LayOut(row);
    row->currentPiece = i + 1;
    if (m_view) {
        const CPoint origin = m_view->GetCurrentRowOrigin();
        target->BeginEdit(this, origin.x, origin.y, 0);
        m_view->ComputeDocumentHeight();
        m_view->UpdateScrollBars(true);
        m_view->RepaintAll();
        m_view->MakePieceVisible(row, target->rect.top);
    }
}

bool CInPlaceEdit::Join(bool withPrevious)
{
    CTextPiece* piece = m_piece;
    CTextRow* row = Row();
    const int i = PieceIndex();
    if (i < 0)
        return false;
    PieceList& list = row->translatedPieces;
    const int n = withPrevious ? i - 1 : i + 1;
    if (n < 0 || n >= int(list.size()))
        return false;
    piece->EndEdit();
    const std::u16string t = piece->text;
    CTextPiece* target = piece;
    int targetIndex = i;
    int caret = withPrevious ? 0 : int(t.size());
    const bool merged = !list[std::size_t(n)]->IsFixed();
    if (merged) {
        auto* neighbour = static_cast<CTextPiece*>(list[std::size_t(n)].get());
        const bool otherLine = neighbour->line != piece->line;
        const bool endsWithCR = piece->endsWithCR;
        list.erase(list.begin() + i);
        if (withPrevious) {
            caret = int(neighbour->text.size()) + 1;
            neighbour->text = neighbour->text + u" " + t;
            // The line break that goes took its carriage return with it; the
            // joined line now ends where the removed piece ended.
            if (otherLine)
                neighbour->endsWithCR = endsWithCR;
            targetIndex = i - 1;
        } else {
            neighbour->text = t + neighbour->text;
            targetIndex = i;
        }
        if (otherLine) {
            for (std::size_t j = std::size_t(i); j < list.size(); ++j)
                list[j]->line -= 1;
        }
        target = neighbour;
    }
    LayOut(row);
    row->currentPiece = targetIndex;
    if (m_view) {
        const CPoint origin = m_view->GetCurrentRowOrigin();
        target->BeginEdit(this, origin.x, origin.y, caret);
        m_view->ComputeDocumentHeight();
        m_view->UpdateScrollBars(true);
        m_view->RepaintAll();
        m_view->MakePieceVisible(row, target->rect.top);
    } else {
        target->BeginEdit(this, 0, 0, caret);
    }
    return merged;
}

void CInPlaceEdit::MoveToPiece(bool next)
{
    CTextRow* row = Row();
    const int i = PieceIndex();
    if (i < 0)
        return;
    const PieceList& list = row->translatedPieces;
    const int last = int(list.size()) - 1;
    if (!next && i == 0) {
        if (m_view)
            m_view->MoveCurrentRow(-1, false, false);
        return;
    }
    if (next && i == last) {
        if (m_view)
            m_view->MoveCurrentRow(1, true, true);
        return;
    }
    int t = i;
    do
        t += next ? 1 : -1;
    while (t >= 0 && t <= last && list[std::size_t(t)]->IsFixed());
    if (t < 0 || t > last)
        return;
    auto* target = static_cast<CTextPiece*>(list[std::size_t(t)].get());
    m_piece->EndEdit();
    row->currentPiece = t;
    const CPoint origin = m_view ? m_view->GetCurrentRowOrigin() : CPoint();
    target->BeginEdit(this, origin.x, origin.y, next ? 0 : -1);
    if (m_view) {
        m_view->RepaintAll();
        m_view->MakePieceVisible(row, target->rect.top);
    }
}

void CInPlaceEdit::MoveToLine(bool down)
{
    CTextRow* row = Row();
    const int i = PieceIndex();
    if (i < 0)
        return;
    const PieceList& list = row->translatedPieces;
    const int line = m_piece->line;
    if (!down && line == 0) {
        if (m_view)
            m_view->MoveCurrentRow(-1, false, true);
        return;
    }
    if (down && line + 1 >= pieces::LineCount(list)) {
        if (m_view)
            m_view->MoveCurrentRow(1, true, true);
        return;
    }
    int t = i;
    do
        t += down ? 1 : -1;
    while (t >= 0 && t < int(list.size()) &&
           (list[std::size_t(t)]->IsFixed() || list[std::size_t(t)]->line == line));
    if (t < 0 || t >= int(list.size()))
        return;
    auto* target = static_cast<CTextPiece*>(list[std::size_t(t)].get());
    m_piece->EndEdit();
    row->currentPiece = t;
    const CPoint origin = m_view ? m_view->GetCurrentRowOrigin() : CPoint();
    target->BeginEdit(this, origin.x, origin.y, 0);
    if (m_view) {
        m_view->RepaintAll();
        m_view->MakePieceVisible(row, target->rect.top);
    }
}

#pragma once

// The in-place editor: a borderless multi-line edit control that lies exactly
// over the text piece being edited in the current row of the text tree view
// and grows with its text. It edits one text piece at a time; line breaks and
// placeholders stay outside it. Every change the control accepts is committed
// to the piece at once: the node becomes done, the tree's states are
// recomputed, the document is marked modified and the row is repainted. A key
// that leaves the text as it was commits nothing.
//
// What the editor uses of its surroundings (all public there):
//   CTextRow    node, freeSize, initialLineCount, currentPiece, view,
//               translatedPieces (PieceList), Layout(CDc&)
//   CMyEditView GetDocument(), RepaintCurrentRow(), GetCurrentRowOrigin(),
//               GetTabWidth(), MoveCurrentRow(delta, atStart, caretAtStart),
//               MakePieceVisible(row, y), ComputeDocumentHeight(),
//               UpdateScrollBars(fromPixels), RepaintAll(), GetShownRows(),
//               SetMessageText(text)
//   CTransDoc   IsOriginal(), AskNewFromOriginal(), EditText(), Undo(), Redo()
//
// The editor shows a piece's text and never writes the document: every
// accepted change goes to the document as the row's new text (a step of its
// history), and the view follows the document's change signal.
//
// AskNewFromOriginal can start a new translation, which rebuilds the view and
// so replaces the editor while one of its own key handlers runs: the view
// must let an old editor go with deleteLater(), never delete it directly.

#include "CRect.h"
#include "CTransDoc.h"
#include "TextRange.h"

#include <QPlainTextEdit>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMyEditView;
class CTextPiece;
class CTextRow;
class QFont;

class CInPlaceEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int ControlId = 123;
    static constexpr CRect ParkedRect{-10, -10, -5, -5};

    // Creates the control as a child of parent (the view's drawing surface),
    // parked outside the window, in a font made from the text font.
    CInPlaceEdit(CMyEditView* view, QWidget* parent);
    ~CInPlaceEdit() override;

    // Stores the rectangle (parent's client coordinates) and moves there.
    void MoveTo(const CRect& rect);
    // Moves along with a scrolled view.
    void MoveBy(int dx, int dy);
    const CRect& GetRect() const { return m_rect; }

    // Opens on piece with the caret at caret, or at the end for -1.
    void Attach(CTextPiece* piece, int caret);
    // Leaves the piece: grey outline, no piece, caret hidden.
    void Detach();
    CTextPiece* GetPiece() const { return m_piece; }
    bool IsReadOnlyText() const { return m_readOnly; }

    // Widens the editor for the text that inserting s over the selection
    // would give; returns the rectangle before.
    CRect PredictSize(const std::u16string& s);
    // Takes the window text into the piece (or refuses it when a size-limited
    // text grows too wide, going back to previous). True when accepted.
    bool Commit(const CRect& previous);
    // Replaces the selection by replaceText when matches(selected text) holds;
    // true unless the width rule refused the result.
    bool ReplaceSelection(const std::u16string& replaceText,
                          const std::function<bool(const std::u16string&)>& matches);

    // Red wavy lines under these words of the window text (and no others).
    void ShowMisspelt(const std::vector<TextRange>& words);

    // Selection as character indexes into the window text (UTF-16 units).
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end);
    std::u16string GetWindowText() const;
    void SetWindowText(const std::u16string& text);

    // Whether a size-limited text of `width` dialog units can show `text`:
    // its width in the stock variable-pitch font is below 77.5 % of the
    // control's width.
    static bool FitsWidth(const std::u16string& text, int width);

    // The row operations that keys drive (public for the view and tests).
    void SplitLine();
    // True when the piece was merged with its neighbour.
    bool Join(bool withPrevious);
    // Pastes text as if it were typed: each line break splits the line where
    // Enter may and is dropped where Enter may not.
    void PasteText(const std::u16string& text);
    void MoveToPiece(bool next);
    void MoveToLine(bool down);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // Pastes from other sources (the selection clipboard) take PasteText's way.
    void insertFromMimeData(const QMimeData* source) override;
    // Paints the outline below and right of the text area after the control
    // has painted itself: the piece's shadow, black while it is edited.
    bool event(QEvent* event) override;

private:
    using TextEditKind = CTransDoc::TextEditKind;

    bool DocumentIsOriginal() const;
    // Nothing may change while the document reads or writes its file.
    bool DocumentIsBusy() const;
    // The row's text as its pieces give it, to the document as one step (in
    // replace all, to the view's batch). caretBefore: where the caret stood,
    // as an offset into the row's text. False when the document refused it.
    bool CommitRow(TextEditKind kind, std::int32_t caretBefore);
    // The offset into the row's text of position caret of the current piece.
    std::int32_t CaretOffset(int caret) const;
    // The piece's text and the previous size back after a refused change.
    void Refuse(const std::u16string& text, const CRect& previous);
    // A typed text (character, input method commit): the question for
    // original-language files, else predict, let the control apply, commit.
    // True when the change was taken.
    bool TypeText(const std::u16string& s, const std::function<void()>& apply);
    // Key groups: true when the key was theirs.
    // Escape back to the tree, Alt+Left/Right collapse and expand the row,
    // Ctrl+Tab and Ctrl+Shift+Tab on to the next or previous pane.
    bool LeavingKey(QKeyEvent* event);
    bool HistoryKey(QKeyEvent* event);
    bool OriginalFileKey(QKeyEvent* event);
    void ParkedKey(QKeyEvent* event);
    bool MovingKey(QKeyEvent* event);
    bool LineKey(QKeyEvent* event);
    void DeleteKey(QKeyEvent* event);
    void BackspaceKey(QKeyEvent* event);
    void EditingKey(QKeyEvent* event);
    void Place();
    void TextChangedOutside();
    void SplitRowAt(const std::u16string& tail);
    // Lays the row out again after its pieces changed.
    void LayOut(CTextRow* row);
    CTextRow* Row() const;
    int PieceIndex() const;

    CMyEditView* m_view;
    CTextPiece* m_piece = nullptr;
    CRect m_rect = ParkedRect;
    std::unique_ptr<QFont> m_font;
    bool m_deletePending = false;
    bool m_readOnly = true;
    bool m_settingText = false;
    bool m_inDefault = false; // the control applies a key we already decided on
    int m_selBefore = -1;     // caret before the last predicted change
    // The kind of step a paste or a replacement makes of its commits.
    std::optional<TextEditKind> m_stepKind;
};

#pragma once

// One row of the text tree view: one node of the language's tree (never the
// invisible root), with its translated text split into pieces and, when the
// document shows a foreign language, the matching foreign node's text above
// it. The row refers to its nodes without owning them; it owns its pieces.
//
// A file may hold a hundred thousand texts, so a row is cheap until it is
// needed: its text is split on first use (EnsurePieces) and laid out when it
// is first painted or hit. Until then its height is computed from the line
// counts of its texts and of the lines that hold a placeholder picture,
// which may be taller than a line of text: the same rule the layout follows.

#include "CPiece.h"
#include "CRect.h"

#include <cstdint>
#include <string>
#include <string_view>

class CDc;
class CInPlaceEdit;
class CMyEditView;
class CTextNode;

class CTextRow {
public:
    // Layout constants, in pixels.
    static constexpr int TopMargin = 20;       // document y of the first row
    static constexpr int Indent = 16;          // per level
    static constexpr int PieceX = 50;          // first piece of each line, within the row
    static constexpr int FirstLineY = 5;       // first line, within the row
    static constexpr int ForeignGap = 3;       // between foreign and translated lines
    static constexpr int RightMargin = 20;     // behind the widest line
    static constexpr int BoxSize = 10;         // expand box, at x 0
    static constexpr int IconX = 12;           // kind icon
    static constexpr int IconWidth = 16;
    static constexpr int IconHeight = 15;
    static constexpr int StateIconOffset = 20; // from the kind icon to the state icon
    static constexpr int FirstStateIcon = 12;  // icon strip image of edit state 0

    // node: the row's node; foreignNode: its partner in the foreign tree or
    // nullptr; lastChild: the node has no parent or is its parent's last
    // child; level: the node's depth (top nodes 1).
    CTextRow(CTextNode* node, CTextNode* foreignNode, CMyEditView* view, bool lastChild,
             std::int32_t level);
    ~CTextRow();
    CTextRow(const CTextRow&) = delete;
    CTextRow& operator=(const CTextRow&) = delete;

    // Kind icon (icon strip image) and free size of a kind code. A code the
    // table does not know gets the blank icon and a free size.
    static int KindIcon(std::int32_t kindCode);
    static bool FreeSizeOf(std::int32_t kindCode);

    // Splits the texts into pieces when that has not happened yet.
    void EnsurePieces();
    bool HasPieces() const { return m_split; }

    // The node's translated text changed in the document. A row that shows
    // exactly that text already (its own typing) keeps its pieces; any other
    // is split again, keeping its initial line count. True when the pieces
    // were made anew (an editor on them was let go).
    bool TextChanged();

    // Places the pieces and sets the row, box and icon rectangles.
    void Layout(CDc& dc);
    bool IsLaidOut() const { return m_laidOut; }
    // The row's height: the laid-out one, else the one the line counts give
    // for lines of textLine / foreignLine pixels.
    int Height(int textLine, int foreignLine) const;

    // Paints the row with its origin at (sx, sy), its images taken from the
    // box strip (bitmap 137) and the icon strip (bitmap 141); lays it out
    // first if needed.
    void Paint(CDc& dc, int sx, int sy, const CDc* boxStrip, const CDc* iconStrip);

    // The translated text built from the pieces (the node's text as it would
    // be written back when the row has never been split).
    std::u16string ComposeTranslated() const;
    // Appends the pieces of text to the translated or the foreign list and
    // returns the line count of the translated list.
    std::int32_t SplitText(std::u16string_view text, bool foreign);

    // Index of the first translated piece whose HitTest holds at (x, y),
    // relative to the row's origin; -1 for none.
    int HitPiece(int x, int y) const;
    bool HitBox(int x, int y) const { return boxRect.PtInRect({x, y}); }

    // Editing: ends the edit on the current piece; opens the editor in this
    // row (at start: on piece 0; otherwise on the last piece, or with caret
    // at start on the first editable piece of the last line).
    void EndEdit();
    void OpenInRow(CInPlaceEdit* editor, int ox, int oy, bool atStart, bool caretAtStart);

    bool HasChildren() const;

    bool lastChild;
    std::int32_t initialLineCount = 1;
    CRect rowRect;
    CRect boxRect;
    CRect iconRect;
    CTextNode* node;
    CTextNode* foreignNode;
    std::int32_t currentPiece = -1;
    bool hasForeign;
    bool expanded = true;
    bool freeSize;
    CMyEditView* view;
    PieceList translatedPieces;
    PieceList foreignPieces;

    // Kept by the view's rebuild so that no walk over the tree is needed
    // later: the node's depth, the row of its parent (-1 for a top node) and
    // the index after the last row of its subtree.
    std::int32_t level;
    std::int32_t parentRow = -1;
    std::int32_t subtreeEnd = 0;

private:
    // Red wavy lines under the misspelt words of the translation; the piece
    // under the in-place editor hands its words to the editor instead.
    void UnderlineMisspelt(CDc& dc, int sx, int sy);

    // Line counts of the texts before they are split.
    std::int32_t m_textLines = 1;
    std::int32_t m_foreignLines = 0;
    // Of those, the lines that hold a placeholder.
    std::int32_t m_textPictureLines = 0;
    std::int32_t m_foreignPictureLines = 0;
    bool m_split = false;
    bool m_laidOut = false;
};

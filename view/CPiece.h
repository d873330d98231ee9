#pragma once

// One piece of a row's text: either an editable literal run (CTextPiece) or a
// fixed format specifier shown as a picture (CPlaceholderPiece). A row keeps
// its pieces in two ordered lists, one per text (translated, foreign).

#include "CRect.h"
#include "CSize.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDc;
class CTextRow;

class CPiece {
public:
    CPiece(std::u16string text, std::int32_t line, CTextRow* row);
    virtual ~CPiece();
    CPiece(const CPiece&) = delete;
    CPiece& operator=(const CPiece&) = delete;

    // The piece's contribution to the row's text, as the document takes it.
    virtual std::u16string GetText() const = 0;
    // Sets the rectangle to (x, y, x + cx, y + cy) and returns (cx, cy).
    virtual CSize Measure(CDc& dc, int x, int y) = 0;
    // Draws at the rectangle moved by (dx, dy), the row's origin on screen.
    virtual void Draw(CDc& dc, int dx, int dy) = 0;
    // Point relative to the row's origin.
    virtual bool HitTest(int x, int y) const;
    // True for a piece the in-place editor may never open on.
    virtual bool IsFixed() const = 0;

    std::int32_t line;   // 0-based line of the row's text
    std::u16string text; // literal text (each "%%" reduced), or the whole specifier
    CRect rect;          // relative to the row's origin; set by Measure
    CTextRow* row;       // owning row, not owned; may be null (tests, measuring)
};

// A row's ordered list of pieces; the list owns them.
using PieceList = std::vector<std::unique_ptr<CPiece>>;

#pragma once

// Splitting a text into pieces and joining the pieces back.
//
// Per line, literal runs become text pieces and every format specifier (the
// printf conversions together with the strftime ones) becomes a placeholder.
// Every line starts and ends with a text piece, and every placeholder has a
// text piece directly before and after it. Joining the pieces gives the text
// back unchanged, except that in a format text (one that holds a placeholder
// or a "%%") a single "%" that begins no specifier comes back as "%%".

#include "CPiece.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pieces {

// True for the 33 conversion characters.
bool IsConversionChar(char16_t c);

// Appends the pieces of text to list (text pieces get foreign, freeSize and
// row) and returns the line count: line of the last piece + 1.
std::int32_t SplitText(std::u16string_view text, bool foreign, bool freeSize, CTextRow* row,
                       PieceList& list);

// What a split gives without making pieces: each piece's own text (a text
// piece's literal with "%%" reduced, or a placeholder's specifier) and
// whether it is a placeholder, in list order.
struct PieceText {
    std::u16string text;
    bool fixed;
};
void SplitTexts(std::u16string_view text, std::vector<PieceText>& list);

// The text built from a list: each piece's GetText, a line feed between lines.
std::u16string ComposeText(const PieceList& list);

// Where a caret stands, in two ways: as a piece and a position in its own
// text, or as an offset into the composed text (the document's model).
struct PiecePlace {
    int piece;
    int caret;
};
std::int32_t TextOffset(const PieceList& list, PiecePlace place);
// The text piece (never a placeholder) that holds offset; the list's last
// text piece at its end for an offset past the text. {-1, 0}: no text piece.
PiecePlace PlaceOf(const PieceList& list, std::int32_t offset);

// Line of the last piece + 1 (0 for an empty list).
std::int32_t LineCount(const PieceList& list);

} // namespace pieces

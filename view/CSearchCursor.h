#pragma once

// The cursor of one search over the rows of the text tree view: what is
// searched for, with which options, where the walk began and where it stands.
// A row's pieces are numbered as the row's translated list numbers them;
// placeholders are never searched. The matching itself works on plain piece
// texts, so rows the walk only looks at need neither fonts nor piece objects.

#include <cstdint>
#include <string>
#include <string_view>

class CSearchCursor {
public:
    // The case rule: without match case both sides are upper-cased unit by
    // unit (the simple mapping, so lengths and positions stay the same).
    static char16_t Upper(char16_t c);
    // Only a space or a tab separates words.
    static bool IsWordSeparator(char16_t c) { return c == u' ' || c == u'\t'; }

    // Sets the find text and the options (keeps the upper-cased find text).
    void SetFind(std::u16string findText, bool matchCase, bool wholeWord);

    // Matches one piece's text from the current position (-1: the text's
    // end): down, the first occurrence in text[position, end); up, the last
    // that lies wholly in text[0, position). A match moves the current
    // position to its start; without one the position stays.
    bool MatchPiece(std::u16string_view text);
    // The replace check: s equals the find text by the case rule (the whole
    // word condition plays no part).
    bool EqualsFindText(std::u16string_view s) const;
    // False when the find text cannot occur anywhere in a row whose text is
    // rowText, judged without splitting it: its pieces are parts of rowText
    // unless a "%%" was reduced, which matters only for a find text with "%".
    bool MayOccurIn(std::u16string_view rowText) const;
    // text with every match replaced by the replace text, left to right, each
    // search going on after the last match, so that inserted text is never
    // matched again.
    std::u16string ReplaceEvery(std::u16string_view text) const;

    // Steps to the next row in the direction (wrapping at either end) and
    // resets piece and position; false when the walk is back at the start row.
    bool Step();

    std::u16string findText;
    std::u16string replaceText;
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
    std::int32_t rowCount = 0;
    std::int32_t currentRow = 0;
    std::int32_t currentPiece = 0;
    std::int32_t currentPosition = 0;
    std::int32_t startRow = 0;
    std::int32_t startPiece = 0;
    std::int32_t startPosition = 0;

private:
    // Offset of the occurrence in slice that the rule takes, or npos.
    std::size_t FindIn(std::u16string_view slice) const;
    // slice, upper-cased without match case.
    std::u16string_view Folded(std::u16string_view slice) const;
    bool CountsAsWord(std::u16string_view slice, std::size_t at) const;

    std::u16string m_needle; // the find text, upper-cased without match case
    mutable std::u16string m_folded;
};

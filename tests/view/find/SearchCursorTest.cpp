// The matching rules of one piece, on plain texts.
#include "CSearchCursor.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

// A cursor for text searched from position (−1: the end) in a direction.
CSearchCursor Cursor(const std::u16string& find, bool down, bool matchCase = false,
                     bool wholeWord = false)
{
    CSearchCursor cursor;
    cursor.down = down;
    cursor.SetFind(find, matchCase, wholeWord);
    return cursor;
}

// Where the find text is found in text from position, −2 for nowhere.
int Find(CSearchCursor cursor, const std::u16string& text, int position)
{
    cursor.currentPosition = position;
    return cursor.MatchPiece(text) ? cursor.currentPosition : -2;
}

enum Options { Plain = 0, Case = 1, Word = 2 };
enum Direction { Up, Down, Both }; // Both: down from 0 and up from the end

struct Match {
    const char16_t* find;
    Direction direction;
    int options;
    const char16_t* text;
    int from;  // −1: the end
    int found; // −2: nowhere
    const char* why;
};

const Match kMatches[] = {
    // A whole word is separated only by space and tab, either way.
    {u"Datei", Both, Word, u"Datei.", 0, -2, "full stop is part of the word"},
    {u"Datei", Both, Word, u"(Datei", 0, -2, "bracket is part of the word"},
    {u"Datei", Both, Word, u"Dateien", 0, -2, "longer word"},
    {u"Datei", Both, Word, u"3Datei", 0, -2, "digits are part of the word"},
    {u"Datei", Both, Word, u"Datei laden", 0, 0, "start of a text"},
    {u"Datei", Both, Word, u"Neue Datei", 0, 5, "end of a text"},
    {u"Datei", Both, Word, u"Die\tDatei\tist", 0, 4, "tabs separate"},
    {u"Datei", Both, Word, u"Datei", 0, 0, "the whole text"},
    {u"ab", Down, Word, u"abc ab ab", 0, 4, "the first counting occurrence downwards"},
    {u"ab", Up, Word, u"ab ab abc", -1, 3, "the last counting occurrence upwards"},
    // Word boundaries are those of the searched slice.
    {u"Datei", Down, Word, u"xDatei y", 1, 1, "the slice begins with it"},
    {u"Datei", Up, Word, u"Dateiy", 5, 0, "the slice ends right after it"},
    {u"Datei", Up, Word, u"xDateiy", 6, -2, "x before it"},
    // Case is folded by upper-casing unless match case.
    {u"DATEI", Down, Plain, u"Die Datei", 0, 4, "folded"},
    {u"datei", Down, Plain, u"DIE DATEI", 0, 4, "folded"},
    {u"DATEI", Down, Case, u"Die Datei", 0, -2, "match case"},
    {u"Datei", Down, Case, u"Die Datei", 0, 4, "match case"},
    {u"ÄNDERN", Down, Plain, u"Ändern", 0, 0, "beyond ASCII"},
    {u"öffnen", Up, Plain, u"ÖFFNEN", -1, 0, "beyond ASCII"},
    {u"ΣΕΛΊΔΑ", Down, Plain, u"σελίδα 1", 0, 0, "Greek"},
    {u"ФАЙЛ", Down, Plain, u"Файл", 0, 0, "Cyrillic"},
    {u"STRASSE", Down, Plain, u"Straße", 0, -2, "the sharp s matches only itself"},
    {u"STRAßE", Down, Plain, u"Straße", 0, 0, "the sharp s matches only itself"},
    // An occurrence at the first character is found both ways.
    {u"Dat", Down, Plain, u"Datei", 0, 0, "first character"},
    {u"Dat", Up, Plain, u"Datei", -1, 0, "first character"},
    {u"Datei", Up, Plain, u"Datei", -1, 0, "the whole text"},
    {u"Datei", Up, Plain, u"Datei laden", 5, 0, "the slice is exactly the occurrence"},
    // Upwards only what lies wholly before the position.
    {u"ab", Up, Plain, u"ab ab ab", 5, 3, "before 5"},
    {u"ab", Up, Plain, u"ab ab ab", 4, 0, "the occurrence at 3 is cut by the slice"},
    {u"ab", Up, Plain, u"ab ab ab", 1, -2, "nothing before 1"},
    {u"ab", Up, Plain, u"ab ab ab", -1, 6, "from the end"},
    {u"ab", Down, Plain, u"ab", 3, -2, "downwards past the end"},
    {u"ab", Down, Plain, u"xab", 1, 1, "downwards from inside"},
};

TEST(SearchCursor, MatchesByDirectionPositionCaseAndWholeWord)
{
    for (const Match& m : kMatches) {
        for (const bool down : {true, false}) {
            if (m.direction != Both && down != (m.direction == Down))
                continue;
            const CSearchCursor cursor = Cursor(m.find, down, (m.options & Case) != 0, (m.options & Word) != 0);
            EXPECT_EQ(Find(cursor, m.text, m.direction == Both && !down ? -1 : m.from), m.found)
                << m.why << ": " << QString::fromUtf16(m.find).toStdString() << " in "
                << QString::fromUtf16(m.text).toStdString() << (down ? " down" : " up");
        }
    }
    // A non-match leaves the position.
    CSearchCursor c = Cursor(u"zz", true);
    c.currentPosition = 2;
    EXPECT_FALSE(c.MatchPiece(u"abcdef"));
    EXPECT_EQ(c.currentPosition, 2);
}

TEST(SearchCursor, ReplaceCheckComparesWholeStringsByTheCaseRuleAndPreCheckRulesOutNoMatch)
{
    const CSearchCursor c = Cursor(u"Datei", true, false, true);
    EXPECT_TRUE(c.EqualsFindText(u"DATEI"));
    EXPECT_TRUE(c.EqualsFindText(u"datei"));
    EXPECT_FALSE(c.EqualsFindText(u"Datei "));
    EXPECT_FALSE(c.EqualsFindText(u"Date"));
    const CSearchCursor exact = Cursor(u"Datei", true, true);
    EXPECT_FALSE(exact.EqualsFindText(u"DATEI"));
    EXPECT_TRUE(exact.EqualsFindText(u"Datei"));
    // The pre-check never rules out a row that holds a match.
    const CSearchCursor lower = Cursor(u"datei", true);
    EXPECT_TRUE(lower.MayOccurIn(u"Neue DATEI"));
    EXPECT_FALSE(lower.MayOccurIn(u"Neue Dat ei"));
    // "50%%x" splits into the piece "50%x": a find text with "%" is never
    // ruled out on the row's raw text.
    EXPECT_TRUE(Cursor(u"0%x", true).MayOccurIn(u"50%%x"));
    EXPECT_TRUE(Cursor(u"", true).MayOccurIn(u""));
}

} // namespace

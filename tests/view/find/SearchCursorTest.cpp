// The matching rules of one piece and the walk's steps, on plain texts.
#include "CSearchCursor.h"

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

TEST(SearchCursor, WholeWordIsSeparatedOnlyBySpaceAndTab)
{
    for (const bool down : {true, false}) {
        const CSearchCursor c = Cursor(u"Datei", down, false, true);
        const int from = down ? 0 : -1;
        EXPECT_EQ(Find(c, u"Datei.", from), -2) << "full stop is part of the word";
        EXPECT_EQ(Find(c, u"(Datei", from), -2) << "bracket is part of the word";
        EXPECT_EQ(Find(c, u"Dateien", from), -2);
        EXPECT_EQ(Find(c, u"3Datei", from), -2) << "digits are part of the word";
        EXPECT_EQ(Find(c, u"Datei laden", from), 0) << "start of a text";
        EXPECT_EQ(Find(c, u"Neue Datei", from), 5) << "end of a text";
        EXPECT_EQ(Find(c, u"Die\tDatei\tist", from), 4) << "tabs separate";
        EXPECT_EQ(Find(c, u"Datei", from), 0) << "the whole text";
    }
    // The first counting occurrence downwards, the last upwards.
    EXPECT_EQ(Find(Cursor(u"ab", true, false, true), u"abc ab ab", 0), 4);
    EXPECT_EQ(Find(Cursor(u"ab", false, false, true), u"ab ab abc", -1), 3);
}

TEST(SearchCursor, WordBoundariesAreThoseOfTheSearchedSlice)
{
    // Searching down from position 1 the slice begins with "Datei": that
    // begins the slice and so begins a word.
    EXPECT_EQ(Find(Cursor(u"Datei", true, false, true), u"xDatei y", 1), 1);
    // Upwards from position 5 the slice ends right after "Datei".
    EXPECT_EQ(Find(Cursor(u"Datei", false, false, true), u"Dateiy", 5), 0);
    EXPECT_EQ(Find(Cursor(u"Datei", false, false, true), u"xDateiy", 6), -2);
}

TEST(SearchCursor, CaseIsFoldedByUpperCasingUnlessMatchCase)
{
    EXPECT_EQ(Find(Cursor(u"DATEI", true), u"Die Datei", 0), 4);
    EXPECT_EQ(Find(Cursor(u"datei", true), u"DIE DATEI", 0), 4);
    EXPECT_EQ(Find(Cursor(u"DATEI", true, true), u"Die Datei", 0), -2);
    EXPECT_EQ(Find(Cursor(u"Datei", true, true), u"Die Datei", 0), 4);
    // Letters beyond ASCII fold as well.
    EXPECT_EQ(Find(Cursor(u"ÄNDERN", true), u"Ändern", 0), 0);
    EXPECT_EQ(Find(Cursor(u"öffnen", false), u"ÖFFNEN", -1), 0);
    EXPECT_EQ(Find(Cursor(u"ΣΕΛΊΔΑ", true), u"σελίδα 1", 0), 0);
    EXPECT_EQ(Find(Cursor(u"ФАЙЛ", true), u"Файл", 0), 0);
    // The sharp s has no single capital: it matches only itself.
    EXPECT_EQ(Find(Cursor(u"STRASSE", true), u"Straße", 0), -2);
    EXPECT_EQ(Find(Cursor(u"STRAßE", true), u"Straße", 0), 0);
}

TEST(SearchCursor, AnOccurrenceAtTheFirstCharacterIsFoundBothWays)
{
    EXPECT_EQ(Find(Cursor(u"Dat", true), u"Datei", 0), 0);
    EXPECT_EQ(Find(Cursor(u"Dat", false), u"Datei", -1), 0);
    EXPECT_EQ(Find(Cursor(u"Datei", false), u"Datei", -1), 0);
    // Upwards from position 5 the slice is exactly the occurrence.
    EXPECT_EQ(Find(Cursor(u"Datei", false), u"Datei laden", 5), 0);
}

TEST(SearchCursor, UpwardsOnlyWhatLiesWhollyBeforeThePosition)
{
    const CSearchCursor up = Cursor(u"ab", false);
    EXPECT_EQ(Find(up, u"ab ab ab", 5), 3);
    EXPECT_EQ(Find(up, u"ab ab ab", 4), 0) << "the occurrence at 3 is cut by the slice";
    EXPECT_EQ(Find(up, u"ab ab ab", 1), -2);
    EXPECT_EQ(Find(up, u"ab ab ab", -1), 6);
    // Downwards from a position past the end there is nothing.
    EXPECT_EQ(Find(Cursor(u"ab", true), u"ab", 3), -2);
    EXPECT_EQ(Find(Cursor(u"ab", true), u"xab", 1), 1);
}

TEST(SearchCursor, ANonMatchLeavesThePosition)
{
    CSearchCursor c = Cursor(u"zz", true);
    c.currentPosition = 2;
    EXPECT_FALSE(c.MatchPiece(u"abcdef"));
    EXPECT_EQ(c.currentPosition, 2);
}

TEST(SearchCursor, ReplaceCheckComparesWholeStringsByTheCaseRule)
{
    const CSearchCursor c = Cursor(u"Datei", true, false, true);
    EXPECT_TRUE(c.EqualsFindText(u"DATEI"));
    EXPECT_TRUE(c.EqualsFindText(u"datei"));
    EXPECT_FALSE(c.EqualsFindText(u"Datei "));
    EXPECT_FALSE(c.EqualsFindText(u"Date"));
    const CSearchCursor exact = Cursor(u"Datei", true, true);
    EXPECT_FALSE(exact.EqualsFindText(u"DATEI"));
    EXPECT_TRUE(exact.EqualsFindText(u"Datei"));
}

TEST(SearchCursor, PreCheckNeverRulesOutARowThatHoldsAMatch)
{
    const CSearchCursor c = Cursor(u"datei", true);
    EXPECT_TRUE(c.MayOccurIn(u"Neue DATEI"));
    EXPECT_FALSE(c.MayOccurIn(u"Neue Dat ei"));
    // "50%%x" splits into the piece "50%x": a find text with "%" is never
    // ruled out on the row's raw text.
    EXPECT_TRUE(Cursor(u"0%x", true).MayOccurIn(u"50%%x"));
    EXPECT_TRUE(Cursor(u"", true).MayOccurIn(u""));
}

TEST(SearchCursor, StepsWrapAndStopAtTheStartRow)
{
    CSearchCursor c;
    c.down = true;
    c.rowCount = 4;
    c.startRow = c.currentRow = 2;
    EXPECT_TRUE(c.Step());
    EXPECT_EQ(c.currentRow, 3);
    EXPECT_TRUE(c.Step());
    EXPECT_EQ(c.currentRow, 0);
    EXPECT_EQ(c.currentPiece, 0);
    EXPECT_EQ(c.currentPosition, 0);
    EXPECT_TRUE(c.Step());
    EXPECT_FALSE(c.Step()) << "back at the start row";
    EXPECT_EQ(c.currentRow, 2);

    c.down = false;
    c.currentRow = 1;
    c.startRow = 3;
    EXPECT_TRUE(c.Step());
    EXPECT_EQ(c.currentRow, 0);
    EXPECT_EQ(c.currentPiece, -1);
    EXPECT_EQ(c.currentPosition, -1);
    EXPECT_FALSE(c.Step()) << "wrapped to the last row, the start row";
    EXPECT_EQ(c.currentRow, 3);
}

} // namespace

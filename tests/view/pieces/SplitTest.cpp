// Splitting texts into pieces and joining them back: the cases the rules
// single out, line structure, carriage returns and the size prefix quirks.
#include "CPlaceholderPiece.h"
#include "CTextPiece.h"
#include "Pieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    std::u16string text;
    bool placeholder;
    int line;
};

PieceList Split(const std::u16string& text, bool foreign = false, bool freeSize = true)
{
    PieceList list;
    pieces::SplitText(text, foreign, freeSize, nullptr, list);
    return list;
}

void ExpectPieces(const PieceList& list, const std::vector<Expected>& expected)
{
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i]->text, expected[i].text);
        EXPECT_EQ(list[i]->IsFixed(), expected[i].placeholder);
        EXPECT_EQ(list[i]->line, expected[i].line);
    }
}

bool DoublePercent(const PieceList& list)
{
    for (const auto& piece : list) {
        if (auto* text = dynamic_cast<const CTextPiece*>(piece.get()))
            return text->doublePercent;
    }
    return false;
}

std::u16string RoundTrip(const std::u16string& text) { return pieces::ComposeText(Split(text)); }

TEST(Split, EmptyTextIsOneEmptyTextPiece)
{
    const PieceList list = Split(u"");
    ExpectPieces(list, {{u"", false, 0}});
    EXPECT_EQ(pieces::ComposeText(list), u"");
    EXPECT_EQ(pieces::LineCount(list), 1);
}

TEST(Split, StringSpecifierBetweenTexts)
{
    const PieceList list = Split(u"Hallo %s!");
    ExpectPieces(list, {{u"Hallo ", false, 0}, {u"%s", true, 0}, {u"!", false, 0}});
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(list[1]->text), 4);
    EXPECT_TRUE(DoublePercent(list));
    EXPECT_EQ(pieces::ComposeText(list), u"Hallo %s!");
}

TEST(Split, DoublePercentIsReducedAndDoubledBack)
{
    const PieceList list = Split(u"100%% sicher");
    ExpectPieces(list, {{u"100% sicher", false, 0}});
    EXPECT_TRUE(DoublePercent(list));
    EXPECT_EQ(pieces::ComposeText(list), u"100%% sicher");
    EXPECT_EQ(RoundTrip(u"%%%%"), u"%%%%");
}

TEST(Split, LonePercentInPlainTextStaysSingle)
{
    const PieceList list = Split(u"50%");
    ExpectPieces(list, {{u"50%", false, 0}});
    EXPECT_FALSE(DoublePercent(list));
    EXPECT_EQ(pieces::ComposeText(list), u"50%");
    ExpectPieces(Split(u"%"), {{u"%", false, 0}});
    EXPECT_EQ(RoundTrip(u"%"), u"%");
}

TEST(Split, LonePercentInFormatTextComesBackDoubled)
{
    const PieceList list = Split(u"%d%");
    ExpectPieces(list, {{u"", false, 0}, {u"%d", true, 0}, {u"%", false, 0}});
    EXPECT_EQ(pieces::ComposeText(list), u"%d%%");
    EXPECT_EQ(RoundTrip(u"%%%"), u"%%%%");
    EXPECT_EQ(RoundTrip(u"%s: 5%!"), u"%s: 5%%!");
    // A space is a flag and "m" a conversion: "% m" is a placeholder.
    EXPECT_EQ(RoundTrip(u"%s: 5% mehr"), u"%s: 5% mehr");
    // The normal form is stable.
    EXPECT_EQ(RoundTrip(u"%d%%"), u"%d%%");
}

TEST(Split, FlagsWidthPrecisionAndSizePrefix)
{
    ExpectPieces(Split(u"%-5.2f"), {{u"", false, 0}, {u"%-5.2f", true, 0}, {u"", false, 0}});
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%-5.2f"), 2);
    ExpectPieces(Split(u"%ld"), {{u"", false, 0}, {u"%ld", true, 0}, {u"", false, 0}});
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%ld"), 0);
    ExpectPieces(Split(u"%lx"), {{u"", false, 0}, {u"%lx", true, 0}, {u"", false, 0}});
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%lx"), 1);
    ExpectPieces(Split(u"%+08.3Lf"), {{u"", false, 0}, {u"%+08.3Lf", true, 0}, {u"", false, 0}});
    ExpectPieces(Split(u"%#hx"), {{u"", false, 0}, {u"%#hx", true, 0}, {u"", false, 0}});
}

TEST(Split, SpaceIsAFlag)
{
    const PieceList list = Split(u"50% off");
    ExpectPieces(list, {{u"50", false, 0}, {u"% o", true, 0}, {u"ff", false, 0}});
    EXPECT_EQ(pieces::ComposeText(list), u"50% off");
}

TEST(Split, I64IsReadAsTheConversionI)
{
    ExpectPieces(Split(u"%I64d"), {{u"", false, 0}, {u"%I", true, 0}, {u"64d", false, 0}});
    EXPECT_EQ(RoundTrip(u"%I64d"), u"%I64d");
    // "I64" as a prefix where no conversion came first.
    ExpectPieces(Split(u"%5I64x"), {{u"", false, 0}, {u"%5I", true, 0}, {u"64x", false, 0}});
}

TEST(Split, PrefixBehindACompleteSpecifier)
{
    // A prefix read after a made placeholder starts a placeholder of its own.
    ExpectPieces(Split(u"%dhd"), {{u"", false, 0},
                                  {u"%d", true, 0},
                                  {u"", false, 0},
                                  {u"hd", true, 0},
                                  {u"", false, 0}});
    // ... or goes to the text when no conversion follows it.
    ExpectPieces(Split(u"%dh!"), {{u"", false, 0}, {u"%d", true, 0}, {u"h!", false, 0}});
    ExpectPieces(Split(u"%sl"), {{u"", false, 0}, {u"%s", true, 0}, {u"l", false, 0}});
    EXPECT_EQ(RoundTrip(u"%dhd"), u"%dhd");
    EXPECT_EQ(RoundTrip(u"%dh!"), u"%dh!");
}

TEST(Split, NotConversionsAreText)
{
    for (const char16_t c : std::u16string(u"hkltqrvDFJKLNOPQRTV.9!&\t")) {
        std::u16string text = u"%";
        text += c;
        SCOPED_TRACE(std::string(1, char(c)));
        const PieceList list = Split(text);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(RoundTrip(text), text);
    }
    for (const char16_t c : std::u16string(u"aAbBcCdeEfgGHiIjmMnopsSuUwWxXyYzZ")) {
        EXPECT_TRUE(pieces::IsConversionChar(c));
        std::u16string text = u"%";
        text += c;
        EXPECT_EQ(Split(text).size(), 3u);
    }
    EXPECT_FALSE(pieces::IsConversionChar(u'h'));
    EXPECT_FALSE(pieces::IsConversionChar(u'D'));
}

TEST(Split, ReadTooFarIsReadAgainAsText)
{
    // "%-%d": the "%-" begins nothing, the "%d" that follows is a placeholder.
    ExpectPieces(Split(u"%-%d"), {{u"%-", false, 0}, {u"%d", true, 0}, {u"", false, 0}});
    ExpectPieces(Split(u"%5k"), {{u"%5k", false, 0}});
    ExpectPieces(Split(u"%.3"), {{u"%.3", false, 0}});
    ExpectPieces(Split(u"ab% "), {{u"ab% ", false, 0}});
}

TEST(Split, StrftimeConversions)
{
    const PieceList list = Split(u"%Y-%m-%d %H:%M");
    EXPECT_EQ(list.size(), 11u);
    EXPECT_EQ(RoundTrip(u"%Y-%m-%d %H:%M"), u"%Y-%m-%d %H:%M");
}

TEST(Split, ImagesByLastCharacter)
{
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%c"), 3);
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%C"), 3);
    for (auto s : {u"%e", u"%E", u"%f", u"%g", u"%G"})
        EXPECT_EQ(CPlaceholderPiece::ImageIndex(s), 2);
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%hs"), 4);
    EXPECT_EQ(CPlaceholderPiece::ImageIndex(u"%S"), 4);
    for (auto s : {u"%o", u"%p", u"%x", u"%X"})
        EXPECT_EQ(CPlaceholderPiece::ImageIndex(s), 1);
    for (auto s : {u"%d", u"%i", u"%u", u"%Y", u"%I", u"% n"})
        EXPECT_EQ(CPlaceholderPiece::ImageIndex(s), 0);
}

TEST(Split, LinesAndCarriageReturns)
{
    PieceList list = Split(u"a\r\nb");
    ExpectPieces(list, {{u"a", false, 0}, {u"b", false, 1}});
    EXPECT_TRUE(static_cast<CTextPiece*>(list[0].get())->endsWithCR);
    EXPECT_FALSE(static_cast<CTextPiece*>(list[1].get())->endsWithCR);
    EXPECT_EQ(pieces::ComposeText(list), u"a\r\nb");

    list = Split(u"x\n");
    ExpectPieces(list, {{u"x", false, 0}, {u"", false, 1}});
    EXPECT_EQ(pieces::LineCount(list), 2);
    EXPECT_EQ(pieces::ComposeText(list), u"x\n");

    // A carriage return before a placeholder ends its text piece too; one in
    // the middle of a run is just a character.
    list = Split(u"a\r%d");
    ExpectPieces(list, {{u"a", false, 0}, {u"%d", true, 0}, {u"", false, 0}});
    EXPECT_TRUE(static_cast<CTextPiece*>(list[0].get())->endsWithCR);
    EXPECT_EQ(pieces::ComposeText(list), u"a\r%d");
    ExpectPieces(Split(u"a\rb"), {{u"a\rb", false, 0}});

    list = Split(u"\n\n");
    ExpectPieces(list, {{u"", false, 0}, {u"", false, 1}, {u"", false, 2}});
    EXPECT_EQ(pieces::ComposeText(list), u"\n\n");
}

TEST(Split, SeveralLinesWithPlaceholders)
{
    const PieceList list = Split(u"Datei %s\n%d von %d\r\n&Ende\t%c");
    ExpectPieces(list, {{u"Datei ", false, 0},
                        {u"%s", true, 0},
                        {u"", false, 0},
                        {u"", false, 1},
                        {u"%d", true, 1},
                        {u" von ", false, 1},
                        {u"%d", true, 1},
                        {u"", false, 1},
                        {u"&Ende\t", false, 2},
                        {u"%c", true, 2},
                        {u"", false, 2}});
    EXPECT_EQ(pieces::LineCount(list), 3);
    EXPECT_EQ(pieces::ComposeText(list), u"Datei %s\n%d von %d\r\n&Ende\t%c");
}

TEST(Split, SurrogatePairsAndNonLatinStayWhole)
{
    const std::u16string text = u"\U0001F600 %s \u65E5\u672C\U00020000%%";
    const PieceList list = Split(text);
    ExpectPieces(list, {{u"\U0001F600 ", false, 0}, {u"%s", true, 0},
                        {u" \u65E5\u672C\U00020000%", false, 0}});
    EXPECT_EQ(pieces::ComposeText(list), text);
}

TEST(Split, PiecesCarryTheRowsAttributes)
{
    PieceList list;
    const int lines = pieces::SplitText(u"a\n%d", true, false, nullptr, list);
    EXPECT_EQ(lines, 2);
    for (const auto& piece : list) {
        if (auto* text = dynamic_cast<CTextPiece*>(piece.get())) {
            EXPECT_TRUE(text->foreign);
            EXPECT_FALSE(text->freeSize);
            EXPECT_EQ(text->editor, nullptr);
        }
    }
    // A second split appends and leaves the flags of earlier pieces alone.
    pieces::SplitText(u"plain", false, true, nullptr, list);
    EXPECT_TRUE(static_cast<CTextPiece*>(list.front().get())->doublePercent);
    EXPECT_FALSE(static_cast<CTextPiece*>(list.back().get())->doublePercent);
}

TEST(Split, GetTextDoublesAndAddsTheCarriageReturn)
{
    CTextPiece piece(u"5% mehr", 0, false, true, nullptr, true);
    EXPECT_EQ(piece.GetText(), u"5% mehr\r");
    piece.doublePercent = true;
    EXPECT_EQ(piece.GetText(), u"5%% mehr\r");
    CPlaceholderPiece placeholder(u"%-5d", 0, nullptr);
    EXPECT_EQ(placeholder.GetText(), u"%-5d");
    EXPECT_TRUE(placeholder.IsFixed());
    EXPECT_FALSE(piece.IsFixed());
}

} // namespace

// Splitting texts into pieces and joining them back. The cases the rules
// single out (conversions and what is no conversion, "%" alone and doubled,
// size prefixes, lines and carriage returns, surrogate pairs) are lines of
// tests/golden/split/texts.txt, each with its pieces in texts.txt.expected.
#include "CPlaceholderPiece.h"
#include "CTextPiece.h"
#include "Golden.h"
#include "Pieces.h"

#include <QString>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

PieceList Split(const std::u16string& text, bool foreign = false, bool freeSize = true)
{
    PieceList list;
    pieces::SplitText(text, foreign, freeSize, nullptr, list);
    return list;
}

// Line breaks and tabs as escapes, the rest as UTF-8.
std::string Shown(const std::u16string& text)
{
    QString shown = QString::fromStdU16String(text);
    shown.replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
    shown.replace(u'\t', QStringLiteral("\\t"));
    return shown.toStdString();
}

// The pieces line by line ("/" between lines): text pieces quoted ("+CR"
// when a carriage return ended them), placeholders in braces with their
// image; then the joined text, and "%%" when "%" is doubled on the way back.
std::string Describe(const PieceList& list)
{
    std::string out;
    int line = 0;
    bool doubled = false;
    for (const auto& piece : list) {
        if (piece->line != line) {
            out += " /";
            line = piece->line;
        }
        if (piece->IsFixed()) {
            out += " {" + Shown(piece->text) + " #" + std::to_string(CPlaceholderPiece::ImageIndex(piece->text)) + "}";
        } else {
            const auto* text = static_cast<const CTextPiece*>(piece.get());
            out += " \"" + Shown(text->text) + "\"" + (text->endsWithCR ? "+CR" : "");
            doubled = doubled || text->doublePercent;
        }
    }
    return out + " => \"" + Shown(pieces::ComposeText(list)) + "\"" + (doubled ? " %%" : "") + " lines " +
           std::to_string(pieces::LineCount(list));
}

TEST(Split, GoldenTexts)
{
    const std::filesystem::path input = GLOSSMARK_GOLDEN_DIR "/split/texts.txt";
    std::istringstream lines(golden::Read(input));
    std::string actual;
    for (std::string line; std::getline(lines, line);) {
        // The escapes of the input: \n, \r, \t, \uXXXX and \UXXXXXXXX.
        QString text = QString::fromStdString(line);
        text.replace(QStringLiteral("\\n"), QStringLiteral("\n")).replace(QStringLiteral("\\r"), QStringLiteral("\r"));
        text.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
        for (int at; (at = text.indexOf(QStringLiteral("\\u"), 0, Qt::CaseInsensitive)) >= 0;) {
            const int digits = text[at + 1] == u'U' ? 8 : 4;
            const char32_t code = text.mid(at + 2, digits).toUInt(nullptr, 16);
            text.replace(at, digits + 2, QString::fromUcs4(&code, 1));
        }
        actual += line + " ->" + Describe(Split(text.toStdU16String())) + "\n";
    }
    golden::Expect(input, actual);
}

TEST(Split, EveryOtherCharacterAfterAPercentIsText)
{
    for (const char16_t c : std::u16string(u"hkltqrvDFJKLNOPQRTV.9!&\t")) {
        std::u16string text = u"%";
        text += c;
        SCOPED_TRACE(std::string(1, char(c)));
        const PieceList list = Split(text);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(pieces::ComposeText(list), text);
    }
    for (const char16_t c : std::u16string(u"aAbBcCdeEfgGHiIjmMnopsSuUwWxXyYzZ")) {
        EXPECT_TRUE(pieces::IsConversionChar(c));
        EXPECT_EQ(Split(std::u16string(u"%") + c).size(), 3u);
    }
    EXPECT_FALSE(pieces::IsConversionChar(u'h'));
    EXPECT_FALSE(pieces::IsConversionChar(u'D'));
}

TEST(Split, PiecesCarryTheRowsAttributesIntoTheirText)
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
    // GetText doubles the percent signs and adds the carriage return.
    CTextPiece percent(u"5% mehr", 0, false, true, nullptr, true);
    EXPECT_EQ(percent.GetText(), u"5% mehr\r");
    percent.doublePercent = true;
    EXPECT_EQ(percent.GetText(), u"5%% mehr\r");
    CPlaceholderPiece placeholder(u"%-5d", 0, nullptr);
    EXPECT_EQ(placeholder.GetText(), u"%-5d");
    EXPECT_TRUE(placeholder.IsFixed());
    EXPECT_FALSE(percent.IsFixed());
}

} // namespace

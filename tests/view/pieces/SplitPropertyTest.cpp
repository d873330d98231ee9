// Split and join on generated texts: the join of the split gives the text
// back, with a single "%" doubled in format texts and nothing else changed,
// and the pieces always keep their shape (lines start and end with a text
// piece, placeholders stand between text pieces).
#include "CTextPiece.h"
#include "Pieces.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr int Texts = 100000;

// A text built from tokens, with the normal form the join must give.
struct Generated {
    std::u16string text;
    std::u16string expected;
};

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    Generated Next()
    {
        std::u16string text;
        std::u16string lonesDoubled;
        std::u16string lonesSingle;
        bool format = false;
        const int tokens = Pick(0, 12);
        for (int i = 0; i < tokens; ++i) {
            std::u16string token;
            std::u16string lone;
            switch (Pick(0, 9)) {
            case 0:
            case 1:
                token = Specifier();
                format = true;
                break;
            case 2:
                token = u"%%";
                format = true;
                break;
            case 3: {
                // A "%" that begins no specifier: followed by something that
                // can neither continue nor end one.
                static const std::u16string after = u"!kq&\t\n\r?)";
                token = u"%";
                if (Pick(0, 1))
                    token += char16_t(u'0' + Pick(1, 9));
                if (Pick(0, 4))
                    token += after[std::size_t(Pick(0, int(after.size()) - 1))];
                else if (i + 1 != tokens)
                    token += u'!';
                lone = token;
                break;
            }
            default:
                token = Literal();
                break;
            }
            text += token;
            if (!lone.empty()) {
                lonesSingle += lone;
                lonesDoubled += u"%" + lone;
            } else {
                lonesSingle += token;
                lonesDoubled += token;
            }
        }
        return {text, format ? lonesDoubled : lonesSingle};
    }

    // Any characters at all, heavy in the ones the split looks at.
    std::u16string Soup()
    {
        static const std::u16string alphabet = u"%%%%-+#0 .123456789hlLI64dsxfcSgnk\r\n\t&a\u00E4";
        std::u16string text;
        const int n = Pick(0, 16);
        for (int i = 0; i < n; ++i) {
            if (Pick(0, 30) == 0)
                text += u"\U0001F642";
            else
                text += alphabet[std::size_t(Pick(0, int(alphabet.size()) - 1))];
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::u16string Specifier()
    {
        static const std::u16string flags = u"-+#0 ";
        static const std::u16string conversions = u"aAbBcCdeEfgGHiIjmMnopsSuUwWxXyYzZ";
        static const char16_t* const prefixes[] = {u"", u"", u"h", u"l", u"L", u"I64"};
        std::u16string s = u"%";
        if (Pick(0, 3) == 0)
            s += flags[std::size_t(Pick(0, 4))];
        if (Pick(0, 2) == 0)
            s += std::u16string(std::size_t(Pick(1, 2)), char16_t(u'0' + Pick(0, 9)));
        if (Pick(0, 3) == 0) {
            s += u'.';
            s += std::u16string(std::size_t(Pick(0, 2)), char16_t(u'0' + Pick(0, 9)));
        }
        s += prefixes[Pick(0, 5)];
        s += conversions[std::size_t(Pick(0, int(conversions.size()) - 1))];
        return s;
    }

    std::u16string Literal()
    {
        static const char16_t* const parts[] = {
            u"Datei", u" ", u"&", u"\t", u"\n", u"\r\n", u"\r", u"\u00F6ffnen", u"\u65E5\u672C",
            u"\u0645\u0631\u062D\u0628\u0627", u"\U0001F600", u"\U00020000", u"h", u"l", u"64",
            u"d", u"x", u"\u00A0", u"...", u"0", u"-", u"."};
        std::u16string s;
        const int n = Pick(1, 3);
        for (int i = 0; i < n; ++i)
            s += parts[Pick(0, int(std::size(parts)) - 1)];
        return s;
    }

    std::mt19937 m_random;
};

// The shape every split leaves.
::testing::AssertionResult WellFormed(const PieceList& list, const std::u16string& text)
{
    if (list.empty())
        return ::testing::AssertionFailure() << "no pieces";
    std::int32_t lines = 1;
    for (const char16_t c : text)
        lines += c == u'\n';
    if (pieces::LineCount(list) != lines)
        return ::testing::AssertionFailure() << "line count " << pieces::LineCount(list);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const bool first = i == 0 || list[i - 1]->line != list[i]->line;
        const bool last = i + 1 == list.size() || list[i + 1]->line != list[i]->line;
        if (i > 0 && list[i]->line != list[i - 1]->line && list[i]->line != list[i - 1]->line + 1)
            return ::testing::AssertionFailure() << "line skipped at " << i;
        if ((first || last) && list[i]->IsFixed())
            return ::testing::AssertionFailure() << "line starts or ends with a placeholder";
        if (list[i]->IsFixed() && list[i - 1]->IsFixed())
            return ::testing::AssertionFailure() << "placeholders side by side";
        if (!list[i]->IsFixed() && !first && !list[i - 1]->IsFixed())
            return ::testing::AssertionFailure() << "text pieces side by side";
    }
    return ::testing::AssertionSuccess();
}

// out equals in with some "%" characters added.
bool OnlyPercentsAdded(const std::u16string& in, const std::u16string& out)
{
    std::size_t j = 0;
    for (const char16_t c : out) {
        if (j < in.size() && in[j] == c)
            ++j;
        else if (c != u'%')
            return false;
    }
    return j == in.size();
}

std::string Printable(const std::u16string& s)
{
    std::string out;
    for (const char16_t c : s) {
        if (c >= 0x20 && c < 0x7F)
            out += char(c);
        else
            out += "\\u" + std::to_string(unsigned(c));
    }
    return out;
}

TEST(SplitProperty, JoinOfSplitGivesTheTextOrItsNormalForm)
{
    Generator generator(20240611);
    for (int i = 0; i < Texts; ++i) {
        const Generated g = generator.Next();
        PieceList list;
        pieces::SplitText(g.text, false, true, nullptr, list);
        ASSERT_TRUE(WellFormed(list, g.text)) << Printable(g.text);
        const std::u16string joined = pieces::ComposeText(list);
        ASSERT_EQ(joined, g.expected) << "text: " << Printable(g.text);
        // The normal form is a fixed point.
        PieceList again;
        pieces::SplitText(joined, false, true, nullptr, again);
        ASSERT_EQ(pieces::ComposeText(again), joined) << Printable(g.text);
    }
}

TEST(SplitProperty, AnyTextSplitsSafelyAndOnlyGainsPercents)
{
    Generator generator(7);
    for (int i = 0; i < Texts; ++i) {
        const std::u16string text = generator.Soup();
        PieceList list;
        pieces::SplitText(text, false, true, nullptr, list);
        ASSERT_TRUE(WellFormed(list, text)) << Printable(text);
        const std::u16string joined = pieces::ComposeText(list);
        bool format = false;
        for (const auto& piece : list)
            format = format || piece->IsFixed();
        format = format || text.find(u"%%") != std::u16string::npos;
        if (!format) {
            ASSERT_EQ(joined, text) << Printable(text);
        }
        ASSERT_TRUE(OnlyPercentsAdded(text, joined)) << Printable(text) << " -> " << Printable(joined);
        PieceList again;
        pieces::SplitText(joined, false, true, nullptr, again);
        ASSERT_EQ(pieces::ComposeText(again), joined) << Printable(text);
    }
}

} // namespace

// Formatting of texts that may come from a stranger's language file.

#include "TranslationTest.h"

#include "SafeFormat.h"
#include "TranslatedStrings.h"
#include "UiLanguage.h"

#include <cstdint>

namespace {

std::u16string Format(std::u16string_view format, std::initializer_list<CFormatArg> args)
{
    return SafeFormat(format, std::span<const CFormatArg>(args.begin(), args.size()));
}

TEST(SafeFormat, FormatsLikePrintf)
{
    EXPECT_EQ(Format(u"Version %i.%i%02i", {2, 0, 2}), u"Version 2.002");
    EXPECT_EQ(Format(u"%-5.2f|", {3.14159}), u"3.14 |");
    EXPECT_EQ(Format(u"%s (%s%s)", {u"English", u"Ver.", u"2.01"}), u"English (Ver.2.01)");
    EXPECT_EQ(Format(u"%5s|%-4s|%.2s", {u"ab", u"cd", u"wxyz"}), u"   ab|cd  |wx");
    EXPECT_EQ(Format(u"%x %X %o %u", {255, 255, 8, 7u}), u"ff FF 10 7");
    EXPECT_EQ(Format(u"%x", {-1}), u"ffffffff"); // an int stays 32 bits
    EXPECT_EQ(Format(u"%lld %I64d", {std::int64_t(1) << 40, std::int64_t(-5)}),
              u"1099511627776 -5");
    EXPECT_EQ(Format(u"%c%c", {char16_t(u'ä'), u'b'}), u"äb");
    EXPECT_EQ(Format(u"100%% %d%%", {5}), u"100% 5%");
    EXPECT_EQ(Format(u"Zeile\n%d", {1}), u"Zeile\n1");
}

TEST(SafeFormat, NeverReadsPastItsArguments)
{
    EXPECT_EQ(Format(u"%s%s%s", {u"a"}), u"a");
    EXPECT_EQ(Format(u"%d and %d", {}), u" and ");
    EXPECT_EQ(Format(u"%s", {}), u"");
    // Extra arguments are simply not used.
    EXPECT_EQ(Format(u"%d", {1, 2, 3}), u"1");
}

TEST(SafeFormat, RefusedConversionsStayAsText)
{
    EXPECT_EQ(Format(u"%s%n", {u"x", 5}), u"x%n");
    EXPECT_EQ(Format(u"end %", {}), u"end %");
    EXPECT_EQ(Format(u"%*d", {5, 3}), u"%*d");
    EXPECT_EQ(Format(u"%q", {1}), u"%q");
    EXPECT_EQ(Format(u"%99999d", {1}), u"%99999d");
    EXPECT_EQ(Format(u"%.99999f", {1.0}), u"%.99999f");
}

TEST(SafeFormat, ArgumentsOfAnotherTypeAreShownAsWhatTheyAre)
{
    EXPECT_EQ(Format(u"%d", {u"text"}), u"text");
    EXPECT_EQ(Format(u"%s", {42}), u"42");
    EXPECT_EQ(Format(u"%.1f", {3}), u"3.0");
    EXPECT_EQ(Format(u"%d", {2.9}), u"2");
    EXPECT_EQ(Format(u"%s", {static_cast<const char16_t*>(nullptr)}), u"0");
}

TEST(SafeFormat, TranslationIsUsedOnlyWithTheSameConversions)
{
    const CFormatArg args[] = {u"Edit.tra", 3};
    const std::u16string_view own = u"Datei %s, Zeile %d";
    EXPECT_EQ(FormatChecked(u"File %s, line %5d", own, args), u"File Edit.tra, line     3");
    // Swapped, missing, extra, hostile: the program's own text.
    for (const char16_t* hostile : {u"Line %d, file %s", u"File %s", u"File %s line %d %d",
                                    u"%s%s%s%n", u"File %s, line %99999d", u"File %s %d %",
                                    u"File %%s line %d"})
        EXPECT_EQ(FormatChecked(hostile, own, args), u"Datei Edit.tra, Zeile 3");
    EXPECT_EQ(FormatChecked(u"%s: %d%%", own, args), u"Edit.tra: 3%");
}

class FormatTranslatedTest : public TranslationTest {};

TEST_F(FormatTranslatedTest, UsesTheTranslatedFormatWhenItFits)
{
    auto language = MakeLanguage();
    Add(Top(*language, u"Stringtables"), u"Version %i.%i%02i", u"Release %i-%i-%03i");
    Install(*language);
    std::u16string text;
    FormatTranslated(text, 200, 2, 0, 2);
    EXPECT_EQ(text, u"Release 2-0-002");
}

TEST_F(FormatTranslatedTest, FallsBackToTheOwnFormatForHostileTranslations)
{
    for (const char16_t* hostile : {u"%s%s%s%n", u"%99999d", u"Version %i", u"%i.%i%02i %",
                                    u"Version %i.%i%02i%s"}) {
        auto language = MakeLanguage();
        Add(Top(*language, u"Stringtables"), u"Version %i.%i%02i", hostile);
        Install(*language);
        std::u16string text;
        FormatTranslated(text, 200, 2, 0, 2);
        EXPECT_EQ(text, u"Version 2.002");
        UnloadTranslation();
    }
}

TEST_F(FormatTranslatedTest, WithoutTranslationTheOwnFormatIsUsed)
{
    std::u16string text;
    FormatTranslated(text, 200, 3, 1, 0);
    EXPECT_EQ(text, u"Version 3.100");
}

} // namespace

// The format check and the run-time layer's choice between a translated format
// and the program's own agree on generated pairs: the check reports an error
// exactly when safe formatting falls back to the original.

#include "CTranslationChecker.h"
#include "SafeFormat.h"

#include "TestTree.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Conversions well formed and not, with and without flags, sizes and the
// ones safe formatting refuses.
constexpr const char16_t* kConversions[] = {
    u"%d",   u"%i",  u"%5d",   u"%-5.2f", u"%f",   u"%s",   u"%ls", u"%c",  u"%p",  u"%x",
    u"%I64d", u"%lld", u"%u",  u"%%",     u"%",    u"%n",   u"%*d", u"%q",  u"%y",  u"%99999d",
    u"%.3s", u"%+d", u"%#x",   u"%hd",    u"%Lf",  u"%S",   u"%C",  u"%e",  u"%g",  u"%-+ 08.3e",
    u"%I",   u"%I32d", u"%jd", u"%zu",    u"%.5000s", u"%H", u"% o", u"%F", u"%lc", u"%05.1f"};

struct Generator {
    std::mt19937 random;

    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); }

    std::vector<std::u16string> Conversions()
    {
        std::vector<std::u16string> list(Below(5));
        for (auto& conversion : list)
            conversion = kConversions[Below(std::size(kConversions))];
        return list;
    }

    // The translation's conversions: mostly close to the original's.
    std::vector<std::u16string> Mutated(std::vector<std::u16string> list)
    {
        switch (Below(6)) {
        case 0: // the same
            break;
        case 1: // two swapped
            if (list.size() >= 2)
                std::swap(list[Below(list.size())], list[Below(list.size())]);
            break;
        case 2: // one dropped
            if (!list.empty())
                list.erase(list.begin() + std::ptrdiff_t(Below(list.size())));
            break;
        case 3: // one added
            list.insert(list.begin() + std::ptrdiff_t(Below(list.size() + 1)),
                        kConversions[Below(std::size(kConversions))]);
            break;
        case 4: // one replaced
            if (!list.empty())
                list[Below(list.size())] = kConversions[Below(std::size(kConversions))];
            break;
        default: // flags and width added
            for (auto& conversion : list)
                if (conversion.size() == 2 && conversion[1] != u'%' && Below(2) == 0)
                    conversion.insert(1, u"-4");
            break;
        }
        return list;
    }

    // Words of one letter around the conversions: the letter tells which
    // text the formatted result came from.
    std::u16string Text(const std::vector<std::u16string>& conversions, char16_t letter)
    {
        std::u16string text(1, letter);
        for (const auto& conversion : conversions) {
            text += Below(3) == 0 ? u"" : u" ";
            text += conversion;
            if (Below(2) == 0)
                text += std::u16string(1 + Below(3), letter);
        }
        return text;
    }
};

TEST(FormatAgreement, CheckReportsExactlyWhereSafeFormattingFallsBack)
{
    // Arguments whose formatted forms hold neither "O" nor "T".
    const CFormatArg args[] = {7, u"z", 2.5, std::int64_t(1) << 40, 'c', -3, 12u, u"w"};
    Generator generator{std::mt19937(20261206)};
    int errors = 0;
    for (int i = 0; i < 10000; ++i) {
        const auto conversions = generator.Conversions();
        const std::u16string original = generator.Text(conversions, u'O');
        const std::u16string translated = generator.Text(generator.Mutated(conversions), u'T');

        test_tree::Tree tree;
        test_tree::Add(tree.Dialog(), original, translated);
        bool reported = false;
        for (const auto& problem : checks::CTranslationChecker().CheckTree(*tree.root))
            reported = reported || problem.check == checks::CheckId::Format;

        const std::u16string shown = FormatChecked(translated, original, args);
        const bool fellBack = shown.find(u'T') == std::u16string::npos;
        ASSERT_EQ(shown.find(fellBack ? u'O' : u'T') != std::u16string::npos, true)
            << "neither text shows in the result";
        ASSERT_EQ(reported, fellBack)
            << "original \"" << std::string(original.begin(), original.end()) << "\", translation \""
            << std::string(translated.begin(), translated.end()) << "\"";
        errors += reported ? 1 : 0;
    }
    // Both outcomes are well represented.
    EXPECT_GT(errors, 2000);
    EXPECT_LT(errors, 8000);
}

} // namespace

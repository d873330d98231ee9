// The width check with the in-place editor's own rule and fonts: a text that
// fits its control by one pixel passes, one that breaks it by one pixel does not.

#include "CInPlaceEdit.h"
#include "CTranslationChecker.h"
#include "SizeLimit.h"

#include "CheckTestSupport.h"

#include <gtest/gtest.h>

namespace {

checks::SizeRule EditorRule() { return {size_limit::IsSizeLimitedKind, size_limit::Fits}; }

// A text and a control width with Limit(width) == TextWidth(text) + margin.
bool FindWidth(const std::u16string& text, int margin, std::int32_t& width)
{
    const int pixels = size_limit::TextWidth(text);
    for (width = 1; width < 2000; ++width) {
        if (size_limit::Limit(width) == pixels + margin)
            return true;
    }
    return false;
}

TEST(WidthRule, FitsByOnePixelAndBreaksByOne)
{
    // Not every pixel count is a limit; among a few texts one hits both.
    const std::u16string base = u"Einstellungen übernehmen";
    std::u16string text;
    std::int32_t fitting = 0;
    std::int32_t breaking = 0;
    for (std::size_t n = 3; n <= base.size(); ++n) {
        text = base.substr(0, n);
        if (FindWidth(text, 1, fitting) && FindWidth(text, 0, breaking))
            break;
        text.clear();
    }
    ASSERT_FALSE(text.empty()) << "no text of this font meets the limit exactly";
    // The in-place editor's own decision, to make sure the same rule is meant.
    EXPECT_TRUE(CInPlaceEdit::FitsWidth(text, fitting));
    EXPECT_FALSE(CInPlaceEdit::FitsWidth(text, breaking));

    check_test::Tree tree;
    CTextNode* dialog = tree.Dialog();
    check_test::Add(dialog, u"Übernehmen", text, 23, fitting);
    CTextNode* tooWide = check_test::Add(dialog, u"Übernehmen", text, 23, breaking);
    check_test::Add(dialog, u"Übernehmen", text, 21, breaking); // a label: free size
    const auto problems = checks::CTranslationChecker(EditorRule()).CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].node, tooWide);
    EXPECT_EQ(problems[0].check, checks::CheckId::Width);
}

TEST(WidthRule, TheKindCodesOfFixedSizeControls)
{
    for (std::int32_t kind : {2, 22, 23, 24, 25})
        EXPECT_TRUE(size_limit::IsSizeLimitedKind(kind)) << kind;
    for (std::int32_t kind : {1, 3, 4, 5, 6, 11, 21, 30, 99, 0, -2})
        EXPECT_FALSE(size_limit::IsSizeLimitedKind(kind)) << kind;
}

} // namespace

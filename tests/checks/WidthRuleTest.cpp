// The width rule of fixed-size controls, as the checks and the in-place editor use it.

#include "CDialogTemplate.h"
#include "CInPlaceEdit.h"
#include "LOGFONT.h"
#include "CTranslationChecker.h"
#include "SizeLimit.h"

#include "TestTree.h"

#include <gtest/gtest.h>

namespace {

checks::SizeRule EditorRule() { return {size_limit::IsSizeLimitedKind, size_limit::Fits}; }

// The limit is 77.5 % of the control's width in pixels (a quarter of the
// system font's dialog base unit per dialog unit); the checker and the
// in-place editor decide alike.
TEST(WidthRule, LimitIsSeventySevenAndAHalfPercentOfTheControl)
{
    // The platform's dialog base unit: that of its bold 16-pixel system font.
    LOGFONT system;
    system.height = -16;
    system.weight = FW_BOLD;
    system.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    system.faceName = u"System";
    const int base = CDialogTemplate::BaseUnitsOf(MakeQFont(system)).cx & 0xFFFF;
    ASSERT_GT(base, 0);
    for (std::int32_t width : {8, 40, 50, 123, 400}) {
        // In whole pixels, never above the limit.
        const double limit = 0.775 * base * width / 4.0;
        EXPECT_LE(size_limit::Limit(width), limit) << width;
        EXPECT_GT(size_limit::Limit(width), limit - 2) << width;
    }
    const std::u16string text = u"Einstellungen \u00FCbernehmen";
    std::int32_t fitting = 1;
    while (!size_limit::Fits(text, fitting))
        ++fitting;
    EXPECT_TRUE(CInPlaceEdit::FitsWidth(text, fitting));
    EXPECT_FALSE(CInPlaceEdit::FitsWidth(text, fitting - 1));

    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    test_tree::Add(dialog, u"\u00DCbernehmen", text, 23, fitting);
    CTextNode* tooWide = test_tree::Add(dialog, u"\u00DCbernehmen", text, 23, fitting - 1);
    test_tree::Add(dialog, u"\u00DCbernehmen", text, 21, fitting - 1); // a label: free size
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

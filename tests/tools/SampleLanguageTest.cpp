// The sample generator that the benchmarks and tests build their files with:
// the requested size and the same file for the same seed.
#include "SampleLanguage.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using tools_test::StoredBytes;

TEST(SampleLanguage, HasTheTopNodesAndExactlyTheRequestedNumberOfTexts)
{
    for (int count : {0, 1, 2, 5, 12, 17, 40, 399, 5000}) {
        for (bool switchEntry : {false, true}) {
            SampleOptions options;
            options.switchEntry = switchEntry;
            const auto language = MakeSampleLanguage(count, 3, options);
            ASSERT_NE(language->root, nullptr);
            const CTextNode& root = *language->root;
            ASSERT_EQ(root.ChildCount(), 3);
            EXPECT_EQ(root.GetChild(0)->originalText, u"Dialoge");
            EXPECT_EQ(root.GetChild(1)->originalText, u"Menus");
            EXPECT_EQ(root.GetChild(2)->originalText, u"Stringtables");
            EXPECT_EQ(root.CountNodes(), count + 4) << count << " texts, switch " << switchEntry;
        }
    }
}

TEST(SampleLanguage, SameSeedSameFileOtherSeedOtherFile)
{
    SampleOptions options;
    options.switchEntry = true;
    const auto first = StoredBytes(*MakeSampleLanguage(1500, 42, options));
    EXPECT_EQ(first, StoredBytes(*MakeSampleLanguage(1500, 42, options)));
    EXPECT_NE(first, StoredBytes(*MakeSampleLanguage(1500, 43, options)));
}

} // namespace

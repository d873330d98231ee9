#include "CRowHeights.h"

#include <gtest/gtest.h>

TEST(CRowHeights, SumsFindsAndCountsOnlyShownRows)
{
    CRowHeights h;
    h.Assign({25, 30, 25, 40, 25}, {1, 1, 0, 1, 1});
    EXPECT_EQ(h.TotalHeight(), 25 + 30 + 40 + 25);
    EXPECT_EQ(h.HeightBefore(3), 55);
    EXPECT_EQ(h.ShownBefore(4), 3);
    EXPECT_EQ(h.ShownCount(), 4);
    EXPECT_EQ(h.RowAt(-5), 0);
    EXPECT_EQ(h.RowAt(24), 0);
    EXPECT_EQ(h.RowAt(25), 1);
    EXPECT_EQ(h.RowAt(55), 3); // row 2 is hidden
    EXPECT_EQ(h.RowAt(119), 4);
    EXPECT_EQ(h.RowAt(120), 5);
    EXPECT_EQ(h.NthShown(0), 0);
    EXPECT_EQ(h.NthShown(2), 3);
    EXPECT_EQ(h.NthShown(4), 5);

    h.Set(2, 25, true);
    h.Set(0, 50, true);
    EXPECT_EQ(h.TotalHeight(), 50 + 30 + 25 + 40 + 25);
    EXPECT_EQ(h.RowAt(80), 2);
    h.Set(1, 30, false);
    EXPECT_EQ(h.Height(1), 30);
    EXPECT_FALSE(h.Shown(1));
    EXPECT_EQ(h.HeightBefore(3), 75);
}

TEST(CRowHeights, MatchesPlainSumsOnManyRows)
{
    const int n = 1000;
    std::vector<int> heights(n);
    std::vector<char> shown(n);
    for (int i = 0; i < n; ++i) {
        heights[std::size_t(i)] = 20 + (i * 7) % 23;
        shown[std::size_t(i)] = (i % 5) != 3;
    }
    CRowHeights h;
    h.Reset(n);
    for (int i = 0; i < n; ++i)
        h.Set(i, heights[std::size_t(i)], shown[std::size_t(i)] != 0);
    long long sum = 0;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(h.HeightBefore(i), sum) << i;
        ASSERT_EQ(h.ShownBefore(i), count) << i;
        if (shown[std::size_t(i)]) {
            ASSERT_EQ(h.RowAt(sum), i);
            ASSERT_EQ(h.NthShown(count), i);
            sum += heights[std::size_t(i)];
            ++count;
        }
    }
}

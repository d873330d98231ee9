#pragma once

// Prefix sums over the rows of the text tree view: the height each row takes
// in the document (0 while it is hidden under a collapsed node) and whether it
// is shown. Finding the row at a document y, the y of a row and the number of
// shown rows before one are logarithmic, so scrolling a file of a hundred
// thousand texts costs no more than scrolling a small one.

#include <cstdint>
#include <vector>

class CRowHeights {
public:
    // count rows, all hidden with height 0.
    void Reset(int count);
    // Builds from whole arrays at once (linear).
    void Assign(const std::vector<int>& heights, const std::vector<char>& shown);

    int Count() const { return int(m_height.size()); }
    int Height(int row) const { return m_height[std::size_t(row)]; }
    bool Shown(int row) const { return m_shown[std::size_t(row)] != 0; }
    void Set(int row, int height, bool shown);

    // Sum of the shown heights of rows [0, row).
    std::int64_t HeightBefore(int row) const;
    std::int64_t TotalHeight() const { return HeightBefore(Count()); }
    // Number of shown rows in [0, row).
    int ShownBefore(int row) const;
    int ShownCount() const { return ShownBefore(Count()); }

    // The first shown row whose bottom lies below y (y measured from the
    // first row's top); Count() when there is none.
    int RowAt(std::int64_t y) const;
    // The shown row with number n (0-based among the shown rows); Count()
    // when there are not that many.
    int NthShown(int n) const;

private:
    static void Add(std::vector<std::int64_t>& tree, int row, std::int64_t delta);
    static std::int64_t Sum(const std::vector<std::int64_t>& tree, int row);
    static int LowerBound(const std::vector<std::int64_t>& tree, std::int64_t value);
    static void Build(std::vector<std::int64_t>& tree);

    std::vector<int> m_height;
    std::vector<char> m_shown;
    std::vector<std::int64_t> m_heightTree; // 1-based Fenwick trees
    std::vector<std::int64_t> m_shownTree;
};

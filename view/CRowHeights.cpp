#include "CRowHeights.h"

void CRowHeights::Reset(int count)
{
    m_height.assign(std::size_t(count), 0);
    m_shown.assign(std::size_t(count), 0);
    m_heightTree.assign(std::size_t(count) + 1, 0);
    m_shownTree.assign(std::size_t(count) + 1, 0);
}

void CRowHeights::Assign(const std::vector<int>& heights, const std::vector<char>& shown)
{
    m_height = heights;
    m_shown = shown;
    m_shown.resize(m_height.size(), 0);
    const std::size_t n = m_height.size();
    m_heightTree.assign(n + 1, 0);
    m_shownTree.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (m_shown[i]) {
            m_heightTree[i + 1] = m_height[i];
            m_shownTree[i + 1] = 1;
        }
    }
    Build(m_heightTree);
    Build(m_shownTree);
}

void CRowHeights::Build(std::vector<std::int64_t>& tree)
{
    const std::size_t n = tree.size();
    for (std::size_t i = 1; i < n; ++i) {
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < n)
            tree[parent] += tree[i];
    }
}

void CRowHeights::Set(int row, int height, bool shown)
{
    const std::size_t i = std::size_t(row);
    const std::int64_t before = m_shown[i] ? m_height[i] : 0;
    const std::int64_t after = shown ? height : 0;
    if (after != before)
        Add(m_heightTree, row, after - before);
    if ((m_shown[i] != 0) != shown)
        Add(m_shownTree, row, shown ? 1 : -1);
    m_height[i] = height;
    m_shown[i] = shown ? 1 : 0;
}

void CRowHeights::Add(std::vector<std::int64_t>& tree, int row, std::int64_t delta)
{
    for (std::size_t i = std::size_t(row) + 1; i < tree.size(); i += i & (~i + 1))
        tree[i] += delta;
}

std::int64_t CRowHeights::Sum(const std::vector<std::int64_t>& tree, int row)
{
    std::int64_t sum = 0;
    for (std::size_t i = std::size_t(row); i > 0; i -= i & (~i + 1))
        sum += tree[i];
    return sum;
}

std::int64_t CRowHeights::HeightBefore(int row) const { return Sum(m_heightTree, row); }

int CRowHeights::ShownBefore(int row) const { return int(Sum(m_shownTree, row)); }

// The smallest row whose prefix sum (itself included) exceeds value.
int CRowHeights::LowerBound(const std::vector<std::int64_t>& tree, std::int64_t value)
{
    const std::size_t n = tree.size() - 1;
    std::size_t step = 1;
    while (step * 2 <= n)
        step *= 2;
    std::size_t pos = 0;
    for (; step > 0; step /= 2) {
        if (pos + step <= n && tree[pos + step] <= value) {
            pos += step;
            value -= tree[pos];
        }
    }
    return int(pos);
}

int CRowHeights::RowAt(std::int64_t y) const
{
    if (y < 0)
        y = 0;
    int row = LowerBound(m_heightTree, y);
    // Rows of height 0 (hidden) share the prefix sum of the row before them.
    while (row < Count() && !m_shown[std::size_t(row)])
        ++row;
    return row;
}

int CRowHeights::NthShown(int n) const
{
    if (n < 0)
        return Count();
    return LowerBound(m_shownTree, n);
}

// The problems list model against a plain list of the same problems, through
// random re-checks of single rows, with Qt's model tester watching its signals.

#include "CProblemList.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include <random>

namespace {

using checks::CheckId;
using checks::TranslationProblem;

TranslationProblem Problem(CheckId check, std::int32_t tag)
{
    TranslationProblem problem;
    problem.check = check;
    problem.originalCount = tag;
    return problem;
}

struct Plain {
    std::vector<std::vector<TranslationProblem>> rows;

    std::vector<std::pair<int, TranslationProblem>> Flat() const
    {
        std::vector<std::pair<int, TranslationProblem>> flat;
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (const auto& problem : rows[r])
                flat.emplace_back(int(r), problem);
        return flat;
    }
};

void ExpectSame(const CProblemList& list, const Plain& plain)
{
    const auto flat = plain.Flat();
    ASSERT_EQ(list.rowCount(), int(flat.size()));
    ASSERT_EQ(list.ProblemCount(), int(flat.size()));
    for (std::size_t i = 0; i < flat.size(); ++i) {
        ASSERT_EQ(list.ViewRowOf(int(i)), flat[i].first) << i;
        ASSERT_NE(list.ProblemAt(int(i)), nullptr);
        ASSERT_EQ(*list.ProblemAt(int(i)), flat[i].second) << i;
    }
    EXPECT_EQ(list.ViewRowOf(int(flat.size())), -1);
    EXPECT_EQ(list.ViewRowOf(-1), -1);
    for (int r = 0; r <= int(plain.rows.size()); ++r) {
        int first = -1;
        int last = -1;
        for (std::size_t i = 0; i < flat.size(); ++i) {
            if (first < 0 && flat[i].first >= r)
                first = int(i);
            if (flat[i].first < r)
                last = int(i);
        }
        ASSERT_EQ(list.FirstFrom(r), first) << r;
        ASSERT_EQ(list.LastBefore(r), last) << r;
        if (r < int(plain.rows.size())) {
            const TranslationProblem* own = list.FirstProblemOf(r);
            ASSERT_EQ(own != nullptr, !plain.rows[std::size_t(r)].empty());
        }
    }
}

TEST(ProblemList, RowsAndProblemsFindEachOtherThroughRandomRechecksDownToAnEmptyFile)
{
    CProblemList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    std::mt19937 random(7);
    const auto below = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    for (int round = 0; round < 4; ++round) {
        Plain plain;
        plain.rows.resize(std::size_t(1 + below(60)));
        for (auto& row : plain.rows)
            for (int k = below(4) == 0 ? below(3) : 0; k > 0; --k)
                row.push_back(Problem(CheckId(below(6)), below(100)));
        list.Reset(int(plain.rows.size()), plain.Flat());
        ExpectSame(list, plain);
        for (int step = 0; step < 200; ++step) {
            const int r = below(int(plain.rows.size()));
            std::vector<TranslationProblem> now;
            for (int k = below(3) == 0 ? 1 + below(3) : 0; k > 0; --k)
                now.push_back(Problem(CheckId(below(6)), below(100)));
            plain.rows[std::size_t(r)] = now;
            list.Replace(r, now);
            ExpectSame(list, plain);
        }
    }
    // Rows outside the view are ignored.
    list.Replace(-1, {Problem(CheckId::Format, 1)});
    list.Replace(list.ViewRows(), {Problem(CheckId::Format, 1)});
    // An empty file has no rows and no problems.
    list.Reset(0, {});
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.FirstFrom(0), -1);
    EXPECT_EQ(list.LastBefore(0), -1);
    EXPECT_EQ(list.FirstProblemOf(0), nullptr);
}

} // namespace

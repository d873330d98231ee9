#include "CMatchIndex.h"

#include <algorithm>

namespace {

constexpr std::int64_t kStartScore = 9999;
constexpr std::int64_t kTextDiffers = 5;

} // namespace

CMatchIndex::CMatchIndex(const CTextNode& oldParent)
    : parent(oldParent), size(oldParent.ChildCount())
{
    groups.reserve(static_cast<std::size_t>(size));
    groupOf.resize(static_cast<std::size_t>(size));
    nextSameText.assign(static_cast<std::size_t>(size), -1);
    for (std::int32_t j = 0; j < size; ++j) {
        auto [it, inserted] = groups.try_emplace(parent.GetChild(j)->originalText);
        Group& group = it->second;
        if (inserted) {
            group.id = static_cast<std::int32_t>(firstOfGroup.size());
            firstOfGroup.push_back(j);
        } else {
            nextSameText[static_cast<std::size_t>(group.last)] = j;
        }
        group.last = j;
        ++group.count;
        groupOf[static_cast<std::size_t>(j)] = group.id;
    }
}

std::int32_t CMatchIndex::ChildCountAt(std::int32_t position) const
{
    return parent.GetChild(position)->ChildCount();
}

void CMatchIndex::Consider(Best& best, std::int32_t position, std::int32_t onlyHere,
                           std::int32_t onlyThere, bool exact) const
{
    const std::int64_t score =
        static_cast<std::int64_t>(onlyHere) + onlyThere + (exact ? 0 : kTextDiffers);
    if (score < best.score || (score == best.score && position > best.position))
        best = {score, position, onlyHere, onlyThere};
}

void CMatchIndex::BuildGrandchildIndex()
{
    if (grandchildIndexBuilt)
        return;
    grandchildIndexBuilt = true;
    for (std::int32_t j = 0; j < size; ++j) {
        const CTextNode& sibling = *parent.GetChild(j);
        for (std::int32_t c = 0; c < sibling.ChildCount(); ++c) {
            auto& list = byGrandchildText[sibling.GetChild(c)->originalText];
            if (!list.empty() && list.back().first == j)
                ++list.back().second;
            else
                list.emplace_back(j, 1);
        }
    }
    sharedHere.assign(static_cast<std::size_t>(size), 0);
    sharedThere.assign(static_cast<std::size_t>(size), 0);
}

void CMatchIndex::BuildScoreOrder()
{
    if (!scoreOrder.empty() || size == 0)
        return;
    scoreOrder.resize(static_cast<std::size_t>(size));
    for (std::int32_t j = 0; j < size; ++j)
        scoreOrder[static_cast<std::size_t>(j)] = j;
    auto byCount = [this](std::int32_t a, std::int32_t b) {
        const std::int32_t countA = ChildCountAt(a);
        const std::int32_t countB = ChildCountAt(b);
        return countA != countB ? countA < countB : a > b;
    };
    std::sort(scoreOrder.begin(), scoreOrder.end(), byCount);
}

const std::vector<std::int32_t>& CMatchIndex::GroupScoreOrder(const Group& group)
{
    auto [it, inserted] = groupScoreOrder.try_emplace(group.id);
    std::vector<std::int32_t>& order = it->second;
    if (inserted) {
        for (std::int32_t j = firstOfGroup[static_cast<std::size_t>(group.id)]; j >= 0;
             j = nextSameText[static_cast<std::size_t>(j)])
            order.push_back(j);
        std::sort(order.begin(), order.end(), [this](std::int32_t a, std::int32_t b) {
            const std::int32_t countA = ChildCountAt(a);
            const std::int32_t countB = ChildCountAt(b);
            return countA != countB ? countA < countB : a > b;
        });
    }
    return order;
}

const CTextNode* CMatchIndex::Find(const CTextNode& node)
{
    if (size == 0)
        return nullptr;

    const auto found = groups.find(node.originalText);
    const Group* exact = found == groups.end() ? nullptr : &found->second;
    const std::int32_t exactCount = exact ? exact->count : 0;
    const std::int32_t exactId = exact ? exact->id : -1;
    if (exactCount == 1)
        return parent.GetChild(exact->last);

    const std::int32_t nodeChildren = node.ChildCount();
    // Without a shared child text nothing can be matched by structure.
    if (exactCount == 0 && nodeChildren == 0)
        return nullptr;

    Best best;
    if (nodeChildren > 0) {
        BuildGrandchildIndex();
        nodeTexts.clear();
        for (std::int32_t c = 0; c < nodeChildren; ++c)
            nodeTexts.push_back(node.GetChild(c)->originalText);
        std::sort(nodeTexts.begin(), nodeTexts.end());
        for (std::size_t run = 0; run < nodeTexts.size();) {
            std::size_t end = run + 1;
            while (end < nodeTexts.size() && nodeTexts[end] == nodeTexts[run])
                ++end;
            const auto multiplicity = static_cast<std::int32_t>(end - run);
            const auto list = byGrandchildText.find(nodeTexts[run]);
            if (list != byGrandchildText.end()) {
                for (const auto& [j, count] : list->second) {
                    const auto slot = static_cast<std::size_t>(j);
                    if (sharedHere[slot] == 0)
                        touched.push_back(j);
                    sharedHere[slot] += multiplicity;
                    sharedThere[slot] += count;
                }
            }
            run = end;
        }
        for (std::int32_t j : touched) {
            const auto slot = static_cast<std::size_t>(j);
            Consider(best, j, nodeChildren - sharedHere[slot], ChildCountAt(j) - sharedThere[slot],
                     groupOf[slot] == exactId);
        }
    }

    auto isTouched = [this](std::int32_t j) {
        return grandchildIndexBuilt && sharedHere[static_cast<std::size_t>(j)] > 0;
    };

    if (exactCount >= 2 || !touched.empty()) {
        if (exactCount >= 2) {
            for (std::int32_t j : GroupScoreOrder(*exact)) {
                if (isTouched(j))
                    continue;
                Consider(best, j, nodeChildren, ChildCountAt(j), true);
                break;
            }
        }
        BuildScoreOrder();
        for (std::int32_t j : scoreOrder) {
            const std::int64_t floor =
                static_cast<std::int64_t>(nodeChildren) + ChildCountAt(j) + kTextDiffers;
            if (floor > best.score)
                break;
            if (isTouched(j) || groupOf[static_cast<std::size_t>(j)] == exactId)
                continue;
            Consider(best, j, nodeChildren, ChildCountAt(j), false);
            break;
        }
    }

    for (std::int32_t j : touched) {
        sharedHere[static_cast<std::size_t>(j)] = 0;
        sharedThere[static_cast<std::size_t>(j)] = 0;
    }
    touched.clear();

    if (best.position < 0 || best.score > kStartScore)
        return nullptr;
    const CTextNode* kept = parent.GetChild(best.position);
    if (exactCount >= 2)
        return kept;
    if (best.onlyHere >= nodeChildren || best.onlyThere >= kept->ChildCount())
        return nullptr;
    return kept;
}

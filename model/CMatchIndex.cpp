#include "CMatchIndex.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::int64_t kStartScore = 9999;
constexpr std::int64_t kTextDiffers = 5;

} // namespace

CMatchIndex::CMatchIndex(const CTextNode& oldParent)
    : parent(oldParent), size(oldParent.ChildCount())
{
    const std::size_t tableSize = std::bit_ceil(std::max<std::size_t>(16, 2 * static_cast<std::size_t>(size)));
    table.resize(tableSize);
    tableMask = tableSize - 1;
    groupOf.resize(static_cast<std::size_t>(size));
    nextSameText.assign(static_cast<std::size_t>(size), -1);
    const std::hash<std::u16string_view> hasher;
    for (std::int32_t j = 0; j < size; ++j) {
        const std::u16string_view text = parent.GetChild(j)->originalText;
        const std::size_t hash = hasher(text);
        Slot& slot = table[SlotOf(text, hash)];
        if (slot.group < 0) {
            slot = {hash, static_cast<std::int32_t>(groups.size())};
            groups.push_back({0, j, j});
        } else {
            Group& group = groups[static_cast<std::size_t>(slot.group)];
            nextSameText[static_cast<std::size_t>(group.last)] = j;
            group.last = j;
        }
        ++groups[static_cast<std::size_t>(slot.group)].count;
        groupOf[static_cast<std::size_t>(j)] = slot.group;
    }
}

std::size_t CMatchIndex::SlotOf(std::u16string_view text, std::size_t hash) const
{
    for (std::size_t at = hash & tableMask;; at = (at + 1) & tableMask) {
        const Slot& slot = table[at];
        if (slot.group < 0)
            return at;
        if (slot.hash == hash &&
            parent.GetChild(groups[static_cast<std::size_t>(slot.group)].first)->originalText == text)
            return at;
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
    auto [it, inserted] = groupScoreOrder.try_emplace(group.first);
    std::vector<std::int32_t>& order = it->second;
    if (inserted) {
        for (std::int32_t j = group.first; j >= 0;
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

    const std::u16string_view text = node.originalText;
    const std::int32_t exactId = table[SlotOf(text, std::hash<std::u16string_view>{}(text))].group;
    const Group* exact = exactId < 0 ? nullptr : &groups[static_cast<std::size_t>(exactId)];
    const std::int32_t exactCount = exact ? exact->count : 0;
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

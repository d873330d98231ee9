#pragma once

#include "CTextNode.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Answers CTextNode::FindMatch for many nodes against the same old parent without
// scanning all of its children each time. Built once per old parent; the result for
// every node is exactly the plain algorithm's (lowest score wins, a later child wins
// a tie, nothing above 9999 is kept, +5 for a differing text).
//
// A candidate's score is its child difference plus 5 when its text differs. Only
// candidates that share a child text with the node ("touched") can have a child
// difference below the sum of both child counts, so those are scored one by one
// through an index from grandchild text to siblings. The best untouched candidate
// is the first untouched one in an order by (child count ascending, position
// descending), kept once for all siblings and once per group of equal texts.
class CMatchIndex {
public:
    explicit CMatchIndex(const CTextNode& oldParent);

    // The counterpart of node among the old parent's children, or null.
    const CTextNode* Find(const CTextNode& node);

private:
    struct Group {
        std::int32_t count = 0;
        std::int32_t first = -1;
        std::int32_t last = -1;
    };
    // Open addressing over the siblings' texts: one flat array, no node per entry,
    // since an index is built for every inner node the merge visits.
    struct Slot {
        std::size_t hash = 0;
        std::int32_t group = -1; // -1: empty
    };
    struct Best {
        std::int64_t score = INT64_MAX;
        std::int32_t position = -1;
        std::int32_t onlyHere = 0;
        std::int32_t onlyThere = 0;
    };

    // The slot holding text's group, or the empty slot where it would go.
    std::size_t SlotOf(std::u16string_view text, std::size_t hash) const;
    void Consider(Best& best, std::int32_t position, std::int32_t onlyHere,
                  std::int32_t onlyThere, bool exact) const;
    void BuildGrandchildIndex();
    void BuildScoreOrder();
    const std::vector<std::int32_t>& GroupScoreOrder(const Group& group);
    std::int32_t ChildCountAt(std::int32_t position) const;

    const CTextNode& parent;
    std::int32_t size;
    std::vector<Group> groups;
    std::vector<Slot> table;
    std::size_t tableMask = 0;
    std::vector<std::int32_t> groupOf;      // group id of each position
    std::vector<std::int32_t> nextSameText; // next position with the same text, or -1

    // Built on first need: most nodes are decided by a unique exact text.
    bool grandchildIndexBuilt = false;
    std::unordered_map<std::u16string_view, std::vector<std::pair<std::int32_t, std::int32_t>>>
        byGrandchildText; // text -> (position, how often among its children)
    std::vector<std::int32_t> scoreOrder;
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> groupScoreOrder;

    // Scratch for one Find, reset before it returns.
    std::vector<std::int32_t> sharedHere;
    std::vector<std::int32_t> sharedThere;
    std::vector<std::int32_t> touched;
    std::vector<std::u16string_view> nodeTexts;
};

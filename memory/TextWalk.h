#pragma once

// The texts of a language file as the memory sees them: every node below the
// three top nodes, parents before children, on an explicit stack (so the depth
// of a tree is no danger).

#include "CTextNode.h"

#include <vector>

namespace memory {

template <class Visit>
void ForEachText(const CTextNode& root, Visit visit)
{
    std::vector<CTextNode*> pending;
    for (std::int32_t t = 0; t < root.ChildCount(); ++t) {
        const CTextNode* top = root.GetChild(t);
        for (std::int32_t i = top->ChildCount() - 1; i >= 0; --i) {
            pending.push_back(top->GetChild(i));
        }
    }
    while (!pending.empty()) {
        CTextNode* node = pending.back();
        pending.pop_back();
        visit(*node);
        for (std::int32_t i = node->ChildCount() - 1; i >= 0; --i) {
            pending.push_back(node->GetChild(i));
        }
    }
}

// A text's own mark (not that of the texts below it).
inline bool OwnTextDone(const CTextNode& node) { return node.editState < 3; }

} // namespace memory

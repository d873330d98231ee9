#include "CStringIndex.h"

#include "CTextNode.h"

#include <vector>

namespace {

// Visits branch depth first (pre-order) on an explicit stack, so that deep
// hostile files cannot exhaust the native stack; stops when visit says so.
template <class Visit>
void WalkDepthFirst(const CTextNode* branch, Visit visit)
{
    if (!branch)
        return;
    std::vector<const CTextNode*> stack{branch};
    while (!stack.empty()) {
        const CTextNode* node = stack.back();
        stack.pop_back();
        if (!visit(*node))
            return;
        for (std::int32_t i = node->ChildCount() - 1; i >= 0; --i) {
            if (const CTextNode* child = node->GetChild(i))
                stack.push_back(child);
        }
    }
}

} // namespace

void CStringIndex::Build(const CTextNode* branch)
{
    m_nodes.clear();
    WalkDepthFirst(branch, [this](const CTextNode& node) {
        m_nodes.try_emplace(node.originalText, &node); // an earlier node keeps its place
        return true;
    });
    m_built = true;
}

void CStringIndex::Clear()
{
    m_nodes.clear();
    m_built = false;
}

const CTextNode* CStringIndex::Find(std::u16string_view text) const
{
    const auto it = m_nodes.find(text);
    return it == m_nodes.end() ? nullptr : it->second;
}

const CTextNode* CStringIndex::FindLinear(const CTextNode* branch, std::u16string_view text)
{
    const CTextNode* found = nullptr;
    WalkDepthFirst(branch, [&](const CTextNode& node) {
        if (node.originalText != text)
            return true;
        found = &node;
        return false;
    });
    return found;
}

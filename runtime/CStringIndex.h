#pragma once

// Text -> node index of a "Stringtables" branch. It answers exactly what the
// depth-first walk answers (the first node in depth-first order, the branch
// node included, whose original text equals the key) without walking the
// branch on every string load. It copies the texts, so it is built once per
// loaded tree and must be rebuilt when the tree changes.

#include <string>
#include <string_view>
#include <unordered_map>

class CTextNode;

class CStringIndex {
public:
    void Build(const CTextNode* branch);
    void Clear();
    bool IsBuilt() const { return m_built; }
    const CTextNode* Find(std::u16string_view text) const;

    // The reference walk: each node before its children, children in order.
    static const CTextNode* FindLinear(const CTextNode* branch, std::u16string_view text);

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::u16string_view text) const
        {
            return std::hash<std::u16string_view>{}(text);
        }
    };
    std::unordered_map<std::u16string, const CTextNode*, Hash, std::equal_to<>> m_nodes;
    bool m_built = false;
};

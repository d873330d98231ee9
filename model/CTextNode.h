#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CArchive;

// One node of a language file's text tree: a text in two languages plus the
// size and kind of the control that shows it. A node owns its children.
// Every operation over a subtree (destruction included) runs on an explicit stack,
// so the depth of a tree never exhausts the native stack.
class CTextNode {
public:
    explicit CTextNode(CTextNode* parent);
    virtual ~CTextNode();

    CTextNode(const CTextNode&) = delete;
    CTextNode& operator=(const CTextNode&) = delete;

    // Appends; the child's parent pointer is the caller's business. Returns the new count.
    std::int32_t AddChild(std::unique_ptr<CTextNode> node);
    CTextNode* GetChild(std::int32_t index) const;
    std::int32_t ChildCount() const { return childCount; }
    std::int32_t ChildCapacity() const { return childCapacity; }

    // Walks n levels down by original text, always taking the first child that matches.
    CTextNode* FindByPath(const std::u16string* texts, std::int32_t n);
    std::int32_t CountNodes() const;
    std::int32_t GetDepth() const;
    std::unique_ptr<CTextNode> CopyTree(CTextNode* newParent) const;

    void MarkDone();
    void MarkToDo();
    // Recomputes the inner nodes' form bottom-up; true when any inner node switched
    // between having nothing and having something to be edited below it.
    bool UpdateStates();

    // Structure merge (version update, foreign overlay, run-time switch). MergeTexts
    // matches siblings through CMatchIndex, which gives exactly FindMatch's results.
    bool MergeTexts(const CTextNode& old);
    // The plain sibling match: one pass over oldParent's children per call, quadratic
    // when used for every child of a node. Kept as the reference for CMatchIndex.
    const CTextNode* FindMatch(const CTextNode& oldParent) const;
    std::int32_t ChildDifference(const CTextNode& other, std::int32_t& onlyHere,
                                 std::int32_t& onlyThere) const;
    void ReplaceTextsByTranslations(const CTextNode& other, std::int32_t depth);

    CTextNode* parent;
    std::u16string originalText;
    std::u16string translatedText;
    std::int32_t kindCode = 99;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t editState = 0;

private:
    friend class CLanguageFile;

    // Takes the children read from a file at once; the capacity ends up where ten-step
    // growth would have put it, without copying the array once per ten children.
    void AdoptChildren(std::vector<std::unique_ptr<CTextNode>>& kids);
    // A new array of capacity slots holding the children in use.
    void GrowTo(std::int32_t capacity);

    // Slots beyond childCount are empty; capacity grows in steps of 10.
    std::unique_ptr<std::unique_ptr<CTextNode>[]> children;
    std::int32_t childCount = 0;
    std::int32_t childCapacity = 0;
};

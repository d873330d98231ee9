#pragma once

#include "CNodeText.h"

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

class CArchive;
class CTextArena;

// One node of a language file's text tree: a text in two languages plus the
// size and kind of the control that shows it. A node owns its children.
// Every operation over a subtree (destruction included) runs on an explicit stack,
// so the depth of a tree never exhausts the native stack.
//
// Nodes made by reading a file or by CopyTree live in the tree's CTextArena together
// with their child arrays and texts; nodes made with new / make_unique live on the heap.
// Both kinds are owned the same way (std::unique_ptr, delete) and may be mixed in a tree.
class CTextNode {
public:
    explicit CTextNode(CTextNode* parent);
    virtual ~CTextNode();
    // delete finds out where the node lives: heap nodes are freed, arena nodes give
    // their reference on the arena back.
    static void operator delete(CTextNode* node, std::destroying_delete_t) noexcept;

    CTextNode(const CTextNode&) = delete;
    CTextNode& operator=(const CTextNode&) = delete;

    // Appends; the child's parent pointer is the caller's business. Returns the new count.
    std::int32_t AddChild(std::unique_ptr<CTextNode> node);
    CTextNode* GetChild(std::int32_t index) const
    {
        return index >= 0 && index < childCount ? m_children[index] : nullptr;
    }
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
    // After this node's own state changed (a commit): recomputes the form of each
    // ancestor, nearest first, and stops where a form stays as it was. On a tree whose
    // states were consistent before the change the states and the result are exactly
    // those of UpdateStates() on the root, at a cost of the depth (and of the siblings
    // scanned when something-below turns off), not of the tree.
    bool UpdateStatesAbove();

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
    CNodeText originalText;
    CNodeText translatedText;
    std::int32_t kindCode = 99;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t editState = 0;

private:
    friend class CLanguageFile;

    // A node in arena's memory; it holds a reference on the arena.
    static CTextNode* NewIn(CTextArena& arena, CTextNode* parent);
    // Takes the children read from a file at once: the capacity ends up where ten-step
    // growth would have put it, the array holds exactly count slots.
    void AdoptChildren(CTextNode* const* kids, std::int32_t count);
    // Storage for at least slots children, the children in use moved over.
    void Reserve(std::int32_t slots);
    void SetText(CNodeText& text, std::u16string_view value);
    // MergeTexts; where sharedFrom is given, this tree's arena keeps that arena alive,
    // and translations that lie in it are taken as they are instead of copied.
    bool MergeTexts(const CTextNode& old, const CTextArena* sharedFrom);
    void TakeTranslation(const CTextNode& from, const CTextArena* sharedFrom);

    // childCapacity is the slot count that ten-step growth gives (what callers see);
    // the array itself grows geometrically and holds m_slots pointers.
    CTextNode** m_children = nullptr;
    std::int32_t childCount = 0;
    std::int32_t childCapacity = 0;
    std::int32_t m_slots = 0;
    CTextArena* m_arena = nullptr; // the arena this node lives in; none for a heap node
};

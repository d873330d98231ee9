#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CArchive;

// One node of a language file's text tree: a text in two languages plus the
// size and kind of the control that shows it. A node owns its children.
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

    CTextNode* FindByPath(const std::u16string* texts, std::int32_t n);
    std::int32_t CountNodes() const;
    std::int32_t GetDepth() const;
    std::unique_ptr<CTextNode> CopyTree(CTextNode* newParent) const;

    void MarkDone();
    void MarkToDo();
    bool UpdateStates();

    // Structure merge (version update, foreign overlay, run-time switch).
    bool MergeTexts(const CTextNode& old);
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

    // Slots beyond childCount are empty; capacity grows in steps of 10.
    std::unique_ptr<std::unique_ptr<CTextNode>[]> children;
    std::int32_t childCount = 0;
    std::int32_t childCapacity = 0;
};
